#include "cli/TextCommand.h"

#include "cli/GeneratedAnimation.h"
#include "edit/ScrollingText.h"

int RunText(const STextArguments& arguments, std::ostream& err) {
    return WriteGeneratedAnimation(
        [&arguments](CViewCore& view) { return WriteScrollingText(view, arguments.options); },
        "write the text", arguments.out, err);
}
