// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dictionary/FindBar.h"

#include "forms/FormWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace dictionary {
namespace {

constexpr int FieldWidth = 200;
constexpr int Gap = 2; // between the field and the text box's frame and scroll bar

} // namespace

FindBar::FindBar(const app::WindowEvents &windowEvents, QPlainTextEdit *box)
    : QObject(&windowEvents.window())
    , events(windowEvents)
    , text(box)
{
}

void FindBar::open()
{
    if (!field)
        createField();
    // The text box's visible area, less its scroll bar, which stays usable.
    const QWidget *view = text->viewport();
    const QPoint corner = view->mapTo(field->parentWidget(), QPoint(view->width(), view->height()));
    const int height = field->sizeHint().height();
    field->setGeometry(corner.x() - FieldWidth - Gap, corner.y() - height - Gap, FieldWidth, height);
    field->show();
    field->raise();
    field->setFocus(Qt::ShortcutFocusReason);
    field->selectAll();
}

void FindBar::findNext()
{
    if (!field || field->text().isEmpty())
        return;
    // Searches after the selection, then from the top; the selection stays when nothing matches.
    const QTextDocument *document = text->document();
    QTextCursor match = document->find(field->text(), text->textCursor());
    if (match.isNull())
        match = document->find(field->text(), 0);
    showNoMatch(match.isNull());
    if (match.isNull())
        return;
    text->setTextCursor(match);
    text->ensureCursorVisible();
}

void FindBar::close()
{
    if (!field)
        return;
    field->hide();
    text->setFocus(Qt::OtherFocusReason);
}

void FindBar::createField()
{
    // A sibling over the text box, so reloading the dictionary leaves it be.
    field = new QLineEdit(text->parentWidget());
    field->setObjectName(QStringLiteral("findField"));
    field->setAccessibleName(QStringLiteral("find in dictionary"));
    field->setPlaceholderText(QStringLiteral("Find"));

    noMatch = new QLabel(QStringLiteral("no match"), field);
    noMatch->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette colours = noMatch->palette();
    colours.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    noMatch->setPalette(colours);
    noMatch->hide();

    events.onKeyDown(field->objectName(), [this](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            findNext();
        else if (key == Qt::Key_Escape)
            close();
    });
    events.onChange(field->objectName(), [this] { showNoMatch(false); });
}

void FindBar::showNoMatch(bool shown)
{
    if (shown != noMatch->isHidden())
        return;
    if (shown) {
        noMatch->adjustSize();
        noMatch->move(field->width() - noMatch->width() - 2 * Gap, (field->height() - noMatch->height()) / 2);
    }
    noMatch->setVisible(shown);
    // Typing stops short of the note instead of running under it.
    field->setTextMargins(0, 0, shown ? noMatch->width() + 2 * Gap : 0, 0);
}

} // namespace dictionary
