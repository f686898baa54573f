// The registered resource tables, looked up by module name and id.
#include "guiresource.h"

#include <map>
#include <mutex>

namespace {

std::mutex gTablesMutex;
std::map<std::string, const GuiResourceTable*>& Tables()
{
    static auto* tables = new std::map<std::string, const GuiResourceTable*>;
    return *tables;
}

const GuiResourceTable* FindTable(const char* moduleName)
{
    std::lock_guard<std::mutex> lock(gTablesMutex);
    auto found = Tables().find(moduleName ? moduleName : "");
    return found == Tables().end() ? nullptr : found->second;
}

template <typename T> const T* FindById(GuiList<T> list, int id)
{
    for (const T& item : list) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

void RegisterGuiResources(const char* moduleName, const GuiResourceTable* table)
{
    std::lock_guard<std::mutex> lock(gTablesMutex);
    Tables()[moduleName ? moduleName : ""] = table;
}

const GuiDialogTemplate* FindGuiDialog(const char* moduleName, int id)
{
    const GuiResourceTable* table = FindTable(moduleName);
    return table ? FindById(table->dialogs, id) : nullptr;
}

const GuiMenuTemplate* FindGuiMenu(const char* moduleName, int id)
{
    const GuiResourceTable* table = FindTable(moduleName);
    return table ? FindById(table->menus, id) : nullptr;
}

const GuiAcceleratorTemplate* FindGuiAccelerators(const char* moduleName, int id)
{
    const GuiResourceTable* table = FindTable(moduleName);
    return table ? FindById(table->accelerators, id) : nullptr;
}

const GuiImageTemplate* FindGuiImage(const char* moduleName, int id)
{
    const GuiResourceTable* table = FindTable(moduleName);
    return table ? FindById(table->images, id) : nullptr;
}
