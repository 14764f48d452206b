// The .mcr load path from arbitrary bytes: the file becomes the macro and its
// list, as MacroLoad does.

#include "fuzz/FuzzSupport.h"
#include "macro/MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CFuzzFile file("load.mcr");
    file.Write(std::string_view(reinterpret_cast<const char*>(data), size));
    CHeadlessSession session;
    LoadMacroFile(session.View(), file.Path());
    CheckStoreInvariants(session);
    return 0;
}
