#pragma once

// The modal boxes the program shows. Each waits for the user and returns
// when it is dismissed.

#include <QString>

class QWidget;
class RunTimeError;

namespace MessageBoxes {

// Title of every box that has no title of its own.
QString applicationTitle();

QString runTimeErrorText(const RunTimeError &error);
void showRunTimeError(const RunTimeError &error);
void showAbout(QWidget *owner);

} // namespace MessageBoxes
