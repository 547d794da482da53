#include "support/TestSupport.h"

#include "app/WindowKinds.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

BoxAnswerer::BoxAnswerer()
{
    connect(&timer, &QTimer::timeout, this, &BoxAnswerer::poll);
    timer.start(5);
}

void BoxAnswerer::poll()
{
    if (auto *input = qobject_cast<QInputDialog *>(QApplication::activeModalWidget()); input && input->isVisible()) {
        boxes.append({input->windowTitle(), input->labelText(), 0, {input->textValue()}});
        if (cancelInput) {
            input->reject();
        } else {
            if (inputAnswer)
                input->setTextValue(*inputAnswer);
            input->accept();
        }
        return;
    }
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    Box seen{box->windowTitle(), box->text(), int(box->icon()), {}};
    for (QAbstractButton *button : box->buttons())
        seen.buttons.append(button->text().remove(QLatin1Char('&')));
    boxes.append(seen);
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
}

RunningProgram::RunningProgram(const QString &programFolder, quint16 chatServerPort)
{
    registerWindowKinds(windows, {programFolder.isEmpty() ? QStringLiteral(FYZORIN_PROGRAM_FOLDER) : programFolder,
                                  chatServerPort});
    windows.show(WindowManager::MainWindow);
    settleEvents();
}

RunningProgram::~RunningProgram()
{
    windows.unloadAll();
    settleEvents();
}

UrlRecorder::UrlRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlRecorder::open(const QUrl &url)
{
    opened.append(url);
}

void settleEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void clickControl(WindowManager &windows, const QString &window, const QString &control)
{
    forms::Form &form = windows.instance(window);
    QVERIFY2(form.isVisible(), qPrintable(window + QStringLiteral(" is not visible")));
    if (QAction *entry = forms::findMenuEntry(&form, control)) {
        entry->trigger();
    } else {
        QWidget *widget = forms::findControl(&form, control);
        QVERIFY2(widget, qPrintable(window + QLatin1Char('.') + control + QStringLiteral(" not found")));
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    settleEvents();
}

void closeWindow(WindowManager &windows, const QString &window)
{
    windows.instance(window).close();
    settleEvents();
}

QStringList visibleKinds(const WindowManager &windows)
{
    QStringList names;
    for (const QString &kind : windows.loadedKinds())
        if (windows.isVisible(kind))
            names.append(kind);
    return names;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}
