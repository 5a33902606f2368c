#pragma once
// For the view tests: a named child widget, with a test failure (not a crash later) when it is missing.
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace quillane::testing {

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

}  // namespace quillane::testing
