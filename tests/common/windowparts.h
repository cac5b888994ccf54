#pragma once

// Reaching the parts of a window as a test does: by the object names that key the caption
// table ("Combo9", "mnureadFre", "Toolbar1"), and clicking as a user does.

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QWidget>

// The widget or action of a window with the given object name; the test stops without one.
template <class T>
T *findPart(const QWidget *window, const char *name)
{
    T *part = window->findChild<T *>(QLatin1StringView(name));
    if (!part)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return part;
}

// Clicks the toolbar button of an action, such as "mnureadFre".
inline void clickToolbarButton(const QWidget *window, const char *actionName)
{
    QToolBar *toolbar = findPart<QToolBar>(window, "Toolbar1");
    QTest::mouseClick(toolbar->widgetForAction(findPart<QAction>(window, actionName)), Qt::LeftButton);
}
