#include "listview_reader.h"

#include <commctrl.h>

namespace {

const size_t kTextBytes = 1024;

// A block of memory in the list's process, freed when it goes.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool ok() const { return address_ != nullptr; }
    char* address() const { return static_cast<char*>(address_); }
    bool Write(size_t offset, const void* data, size_t size) {
        return WriteProcessMemory(process_, address() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) {
        return ReadProcessMemory(process_, address() + offset, data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace

ListRows ReadListView(HWND list) {
    ListRows rows;
    RemoteBlock block(list, sizeof(LVITEMA) + kTextBytes);
    if (!block.ok())
        return rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int columns = ColumnCount(list);
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = block.address() + sizeof(LVITEMA);
            item.cchTextMax = static_cast<int>(kTextBytes);
            char text[kTextBytes] = "";
            if (!block.Write(0, &item, sizeof item))
                return {};
            LRESULT length =
                SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.address()));
            if (length > 0 && !block.Read(sizeof(LVITEMA), text, static_cast<size_t>(length)))
                return {};
            cells.emplace_back(text, static_cast<size_t>(length > 0 ? length : 0));
        }
        rows.push_back(cells);
    }
    return rows;
}

std::vector<int> ListViewColumnWidths(HWND list) {
    std::vector<int> widths;
    for (int column = 0, n = ColumnCount(list); column < n; ++column)
        widths.push_back(static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)));
    return widths;
}
