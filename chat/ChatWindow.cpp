#include "chat/ChatWindow.h"

#include "LinkAddresses.h"
#include "app/LinkLauncher.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/FormWidgets.h"

void SetStatus(QWidget &chatWindow, const QString &status)
{
    chatWindow.setWindowTitle(QStringLiteral("Brackwell - Live Help [") + status + QLatin1Char(']'));
}

void bindChatWindow(WindowEvents &events)
{
    forms::Form *self = &events.window();
    SetStatus(*self, QStringLiteral("Disconnected")); // Form_Load, before the first show

    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow); // "Back To Main"
    bindUnloadSelf(events, QStringLiteral("Command3")); // "Disconnect From Chat": the connection goes with the window
    events.onClick(QStringLiteral("Label3"),
                   [self] { LinkLauncher::open(self, QString::fromUtf8(ChatInfoUrl)); });
}
