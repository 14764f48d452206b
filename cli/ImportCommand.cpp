#include "cli/ImportCommand.h"

#include "cli/GeneratedAnimation.h"
#include "edit/GifImport.h"

int RunImport(const SImportArguments& arguments, std::ostream& err) {
    return WriteGeneratedAnimation(
        [&arguments](CViewCore& view) {
            return ImportGifFile(view, arguments.gif, arguments.options);
        },
        "import " + arguments.gif, arguments.out, err);
}
