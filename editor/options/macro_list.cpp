// The entry list of the Auto Correct and Code Templates pages.
#include "editor/options/macro_list.h"

#include "chrome/ansi_text.h"

#include <QHeaderView>

namespace tarnwick {

QTreeWidget* MakeMacroList(const QString& first, const QString& second, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(2);
    list->setHeaderLabels({first, second});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(0, 140);
    return list;
}

void FillMacroList(QTreeWidget& list, const TMacroKeywords& entries, bool descriptions,
                   const std::string& select)
{
    list.clear();
    for (const TMacroEntry* entry : entries.List()) {
        // Line breaks of an expansion show as blanks in the one-line row.
        std::string second = descriptions ? entry->Description.value_or("") : entry->Expansion;
        for (char& c : second)
            if (c == '\r' || c == '\n')
                c = ' ';
        auto* item = new QTreeWidgetItem(&list, {AnsiToQt(entry->Name), AnsiToQt(second)});
        item->setData(0, Qt::UserRole, QByteArray::fromStdString(entry->Name));
        if (entry->Name == select)
            list.setCurrentItem(item);
    }
}

std::string SelectedMacro(const QTreeWidget& list)
{
    const QTreeWidgetItem* item = list.currentItem();
    if (item == nullptr)
        return {};
    return item->data(0, Qt::UserRole).toByteArray().toStdString();
}

}  // namespace tarnwick
