// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/ConstantsMenu.h"

#include "forms/Controls.h"
#include "solvers/Constants.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

namespace solvers {

namespace {

class ConstantsMenu : public QObject
{
public:
    explicit ConstantsMenu(QLineEdit *box)
        : QObject(box)
        , line(box)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ContextMenu)
            return QObject::eventFilter(watched, event);
        QMenu *menu = line->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        QMenu *constants = menu->addMenu(QStringLiteral("Insert constant"));
        constants->setEnabled(!line->isReadOnly());
        for (const PhysicalConstant &constant : physicalConstants()) {
            const QString value = forms::toQString(constant.value);
            const QString entry = QStringLiteral("%1 %2 = %3 %4")
                                      .arg(forms::toQString(constant.name), forms::toQString(constant.symbol), value,
                                           forms::toQString(constant.unit));
            QObject::connect(constants->addAction(entry), &QAction::triggered, line,
                             [box = line, value] { box->insert(value); });
        }
        // Not exec(): the program's events go on while the menu is open.
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }

private:
    QLineEdit *line;
};

} // namespace

void addConstantsMenu(QLineEdit *box) { box->installEventFilter(new ConstantsMenu(box)); }

} // namespace solvers
