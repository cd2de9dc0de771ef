// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ApplicationSetup.h"
#include "tests/support/FixedRandomSource.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/ScriptedInputBox.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

namespace quartet::test {

// A main window over a memory store, a scripted input box and a fixed
// random sequence, shown and active so that shortcuts reach it.
class MainWindowTest : public ::testing::Test {
protected:
    void open(std::vector<float> randomValues = {}, QStringList inputs = {})
    {
        prepareApplication();
        auto storePtr = std::make_unique<MemorySettingsStore>();
        auto inputPtr = std::make_unique<ScriptedInputBox>(std::move(inputs));
        auto randomPtr = std::make_unique<FixedRandomSource>(std::move(randomValues));
        store = storePtr.get();
        input = inputPtr.get();
        random = randomPtr.get();
        store->values = storedValues;
        window = std::make_unique<frmMain>(
            frmMain::Services{std::move(storePtr), std::move(inputPtr), std::move(randomPtr)});
        window->show();
        ASSERT_TRUE(makeActive(window.get()));
        QCoreApplication::processEvents();  // what the event loop does first, as it would before any input
    }

    void TearDown() override
    {
        QApplication::closeAllWindows();
        window.reset();
    }

    template <typename Widget>
    Widget* child(const char* name, int index = -1) const
    {
        for (auto* widget : window->findChildren<Widget*>(QString::fromLatin1(name)))
            if (index < 0 || widget->property("index").toInt() == index)
                return widget;
        ADD_FAILURE() << "no control " << name << " " << index;
        return nullptr;
    }

    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QListWidget* list() const { return child<QListWidget>("lstResult"); }

    QStringList listLines() const
    {
        QStringList lines;
        for (int i = 0; i < list()->count(); ++i)
            lines.append(list()->item(i)->text());
        return lines;
    }

    QStringList cardLabels() const
    {
        QStringList labels;
        for (int i = 0; i < 4; ++i)
            labels.append(child<QLabel>("lblDual", i)->text());
        return labels;
    }

    QStringList slotCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < 4; ++i)
            captions.append(child<QPushButton>("cmdSelect", i)->text());
        return captions;
    }

    void key(int keyCode, Qt::KeyboardModifiers modifiers, QWidget* target = nullptr)
    {
        if (!target)
            target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, static_cast<Qt::Key>(keyCode), modifiers);
    }

    // Presses a button through its access key, from wherever the focus is;
    // the button's command has run when the key is back up.
    void accessKey(Qt::Key keyCode, const char* buttonName)
    {
        QSignalSpy clicked(child<QPushButton>(buttonName), &QAbstractButton::clicked);
        key(keyCode, Qt::AltModifier);
        EXPECT_EQ(clicked.count(), 1) << "Alt+" << char(keyCode);
    }

    QMap<QString, QString> storedValues;
    std::unique_ptr<frmMain> window;
    MemorySettingsStore* store = nullptr;
    ScriptedInputBox* input = nullptr;
    FixedRandomSource* random = nullptr;
};

}  // namespace quartet::test
