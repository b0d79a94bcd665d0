#pragma once

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>

// Typing into the real windows as a person would, for the ui tests; what the windows tell the
// user goes to the scripted dialogs (fakedialogs.h), read with messages() and log.
namespace typing {

// Sends keys to target: "\n" is Enter, "\b" Backspace, "\x1b" Escape; characters beyond ASCII
// (accents, "€"...) come as the text of a key event, since QTest types Latin-1 key codes only.
inline void keys(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(target, Qt::Key_Return);
        } else if (c == u'\b') {
            QTest::keyClick(target, Qt::Key_Backspace);
        } else if (c == u'\x1b') {
            QTest::keyClick(target, Qt::Key_Escape);
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

// The widget that has the keyboard focus; none ends the test, since keys would go nowhere.
inline QWidget *focused()
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        qFatal("no widget has the keyboard focus");
    return target;
}

inline void type(const QString &text) { keys(focused(), text); }
// Clicks into a field and types, as a person would.
inline void typeInto(QWidget *field, const QString &text)
{
    field->setFocus();
    keys(field, text);
}
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(focused(), key, modifiers); }

template <typename T = QLineEdit> T *child(const QObject *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}
template <typename T = QLineEdit> T *child(const QObject &w, const char *name) { return child<T>(&w, name); }

// Reads and closes every message box that opens while it lives: what a window tells the user
// when it does not go through the scripted dialogs.
struct MessageBoxWatcher : QTimer
{
    QStringList texts;
    MessageBoxWatcher()
    {
        connect(this, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->close();
            }
        });
        start(20);
    }
};

// Shows a window and waits until it is the active one.
inline void showActive(QWidget &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// Runs action on the modal window that the next exec() opens, once one of its widgets has the
// keyboard focus.
// A dialog the action leaves open is closed, so that a failing check cannot hang the test.
inline void onNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, action] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || !w->isAncestorOf(QApplication::focusWidget()))
            return;
        timer->stop();
        timer->deleteLater();
        action(w);
        if (w == QApplication::activeModalWidget() && w->isVisible())
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
    });
    timer->start();
}

} // namespace typing
