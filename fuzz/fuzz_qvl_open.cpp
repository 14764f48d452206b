// The .qvl open path from arbitrary bytes: the file is opened into the
// second bank of a freshly started editor, as File > Open does.

#include "app/DocumentCommands.h"
#include "fuzz/FuzzSupport.h"
#include "view/Navigation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CFuzzFile file("open.qvl");
    file.Write(std::string_view(reinterpret_cast<const char*>(data), size));
    CHeadlessSession session;
    SelectBank(session.View(), 1);
    OpenAnimation(session.View(), session.Doc(), file.Path());
    CheckStoreInvariants(session);
    return 0;
}
