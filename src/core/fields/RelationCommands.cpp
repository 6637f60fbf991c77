// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/fields/RelationCommands.h"

#include "core/common/Numbers.h"
#include "core/data/Relations.h"
#include "core/data/SetAsString.h"

#include <algorithm>

#include <QCoreApplication>

namespace Quillet {
namespace {

// Value of a marked text field's ID, or -1 for anything else (blocks are not visited).
int markedTextFieldId(const FieldNode& field)
{
    if (!field.marked)
        return -1;
    const int id = field.id();
    return id >= 0 && id < 1000 ? id : -1;
}

} // namespace

QString linkQuestion(int fieldId)
{
    // LF before CR, as the question has always been laid out.
    const QString lineBreak = QStringLiteral("\n\r");
    return QCoreApplication::translate("Quillet::RelationCommands",
                                       "Поле с ID: %1входит в состав другой зависимости.")
               .arg(Numbers::formatInt(fieldId, 4))
           + lineBreak
           + QCoreApplication::translate("Quillet::RelationCommands",
                                         "Оставить в предыдущей зависимости и не добавлять в "
                                         "текущую(ДА/YES)")
           + lineBreak
           + QCoreApplication::translate("Quillet::RelationCommands",
                                         "Иначе удалить с предыдущей и добавить в текущую(НЕТ/NO).")
           + lineBreak
           + QCoreApplication::translate("Quillet::RelationCommands",
                                         "Отменить создание зависимости(ОТМЕН/CANSEL)");
}

bool linkMarkedFields(Project& project,
                      const std::function<LinkAnswer(const QString& question)>& ask)
{
    TSetAsString SetAsString1;
    for (const FieldNode& field : project.Structure.fields) {
        const int id = markedTextFieldId(field);
        if (id < 0)
            continue;
        if (FindRelationGroup(project.RelateList, id) >= 0) {
            switch (ask(linkQuestion(id))) {
            case LinkAnswer::Yes:
                continue;
            case LinkAnswer::No:
                RemoveFromRelations(project.RelateList, id);
                break;
            case LinkAnswer::Cancel:
                return false;
            }
        }
        SetAsString1.Include(id);
    }
    if (SetAsString1.isEmpty())
        return false;
    project.RelateList.push_back(RelationItem{SetAsString1.AsString(), false});
    return true;
}

void unlinkMarkedFields(Project& project)
{
    for (const FieldNode& field : project.Structure.fields) {
        const int id = markedTextFieldId(field);
        if (id >= 0)
            RemoveFromRelations(project.RelateList, id);
    }
}

void deleteRelations(Project& project, std::vector<int> indexes)
{
    // From the back, so the indexes still to go keep naming the same items.
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    RelationList& list = project.RelateList;
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        if (*it >= 0 && size_t(*it) < list.size())
            list.erase(list.begin() + *it);
    }
}

void clearRelations(Project& project)
{
    project.RelateList.clear();
}

} // namespace Quillet
