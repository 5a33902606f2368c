#include "App/ShellCommands.h"

namespace quillane {

TransferMenuStates transferMenuStates(const TransferMenuFacts& facts) {
    const bool running = facts.state == TransferState::running;
    TransferMenuStates states;
    states.changeProject = !running;
    states.createFolders = !running && facts.foldersMissing;
    states.demoIsStart = facts.demo == DemoState::off;
    states.demoEnabled = !running && (states.demoIsStart ? !facts.pausedJob : facts.demo == DemoState::on);
    return states;
}

bool quitNeedsConfirmation(bool windowShown, TransferState state) {
    return windowShown && state == TransferState::running;
}

}  // namespace quillane
