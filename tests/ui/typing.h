#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <QtTest>

// Typing as a person would, for the ui tests.
namespace typing {

// Sends keys to target: "\n" is Enter, "\b" Backspace; characters beyond ASCII (accents,
// "€"...) come as the text of a key event, since QTest types Latin-1 key codes only.
inline void keys(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(target, Qt::Key_Return);
        } else if (c == u'\b') {
            QTest::keyClick(target, Qt::Key_Backspace);
        } else if (c.unicode() < 0x80) {
            QTest::keyClick(target, c.toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }
}

// Shows a window and waits until it is the active one.
inline void showActive(QWidget &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace typing
