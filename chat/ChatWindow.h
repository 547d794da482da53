#pragma once

#include <QString>

class QWidget;
class WindowEvents;

// Handlers of the Live Help window Chat.
void bindChatWindow(WindowEvents &events);

// Sets the window title from a status word ("Disconnected", "Connected").
void SetStatus(QWidget &chatWindow, const QString &status);
