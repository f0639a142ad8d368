// Test helper DLL that the end-to-end driver loads into a running korimbo.exe: from then on the
// program's own malloc (its import from msvcrt.dll, which operator new uses) fails for 1 MiB or
// more, as when the address space is used up. Windows' own allocations go on as before, so the
// program can still show its error box.
#include <cstring>

#include <windows.h>

namespace {

constexpr std::size_t kFailFrom = 1024 * 1024;

using Malloc = void *(__cdecl *)(std::size_t);
Malloc realMalloc = nullptr;

void *__cdecl FailingMalloc(std::size_t size)
{
    return size >= kFailFrom ? nullptr : realMalloc(size);
}

// Points the module's import of `name` from `dll` at `replacement`; the import's old target.
void *ReplaceImport(HMODULE module, const char *dll, const char *name, void *replacement)
{
    auto *base = reinterpret_cast<BYTE *>(module);
    const auto *nt =
        reinterpret_cast<const IMAGE_NT_HEADERS *>(base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + entry->Name), dll) != 0)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto *byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), name) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            void *original = reinterpret_cast<void *>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return original;
        }
    }
    return nullptr;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    realMalloc = reinterpret_cast<Malloc>(
        ReplaceImport(GetModuleHandleW(nullptr), "msvcrt.dll", "malloc", reinterpret_cast<void *>(&FailingMalloc)));
    return realMalloc != nullptr; // not loaded at all when there was nothing to replace
}
