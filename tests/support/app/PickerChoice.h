#pragma once
// For the view tests: chooses an entry of a kit picker the way a user does (click, then the entry).
#include <QAction>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "Views/Kit/Picker.h"

namespace quillane::testing {

inline void choose(Picker* picker, int index) {
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker, Qt::LeftButton);
    QMenu* menu = picker->openMenu();
    ASSERT_NE(menu, nullptr) << "the picker opens its entries";
    ASSERT_LT(index, menu->actions().size());
    EXPECT_TRUE(menu->actions().at(index)->isChecked() == (index == picker->currentIndex()));
    menu->actions().at(index)->trigger();
    menu->close();
}

}  // namespace quillane::testing
