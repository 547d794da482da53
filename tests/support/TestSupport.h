#pragma once

// Shared helpers of the widget tests: answering modal boxes, recording the
// web addresses handed to the desktop, and clicking named controls.

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "app/WindowManager.h"

class QWidget;

// Answers every modal message box as soon as it appears, recording what it
// showed. A test that expects no box checks that none was recorded.
class BoxAnswerer : public QObject
{
    Q_OBJECT
public:
    struct Box {
        QString title;
        QString text;
        int icon = 0;
        QStringList buttons;
    };

    BoxAnswerer();
    QList<Box> boxes;
    // How input boxes are answered: the default answer unless one is set here;
    // cancelled when cancelInput is set.
    std::optional<QString> inputAnswer;
    bool cancelInput = false;

private:
    void poll();
    QTimer timer;
};

// The program as main() starts it, for one test: every window kind
// registered and the main window shown. Modal boxes are answered.
struct RunningProgram {
    // The dictionary is read from programFolder (by default, the build
    // folder); Live Help connects to chatServerPort.
    explicit RunningProgram(const QString &programFolder = QString(), quint16 chatServerPort = 8765);
    ~RunningProgram();
    BoxAnswerer boxes;
    WindowManager windows;
};

// Receives the addresses the program asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url);
};

// Clicks a control or chooses a menu entry of a window by name, as a user
// would, then lets deferred deletions of unloaded windows happen.
void clickControl(WindowManager &windows, const QString &window, const QString &control);
void closeWindow(WindowManager &windows, const QString &window);
void settleEvents();

QStringList visibleKinds(const WindowManager &windows);

QStringList sorted(QStringList list);
