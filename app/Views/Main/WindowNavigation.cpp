#include "Views/Main/WindowNavigation.h"

namespace quillane {

void WindowNavigation::showHistory() {
    if (history_ == History::closed) setHistory(History::overview);
}

void WindowNavigation::findClip() { setHistory(History::clipSearch); }

void WindowNavigation::closeHistory() { setHistory(History::closed); }

void WindowNavigation::setHistory(History history) {
    if (history == history_) return;
    history_ = history;
    emit historyChanged();
}

void WindowNavigation::setStagedForScreenshot(bool staged) {
    if (staged == staged_) return;
    staged_ = staged;
    emit stagingChanged();
}

}  // namespace quillane
