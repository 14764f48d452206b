#include "cli/PlayCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "cli/StateJson.h"
#include "headless/HeadlessSession.h"
#include "macro/MacroFile.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

namespace {

// Opens the --selectK files, each into its bank, and makes select1 current
// again when any was given.
bool OpenBanks(CHeadlessSession& session, const SPlayOptions& options, std::ostream& err) {
    bool opened = false;
    for (int bank = 0; bank < kBankCount; ++bank) {
        const std::optional<std::string>& file = options.selectFiles[bank];
        if (!file)
            continue;
        SelectBank(session.View(), bank);
        const size_t mark = session.MessageCount();
        if (!OpenAnimation(session.View(), session.Doc(), *file)) {
            PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot open " + *file);
            return false;
        }
        opened = true;
    }
    if (opened)
        SelectBank(session.View(), 0);
    return true;
}

// The answers the dialogs of the replay take, in the order given.
void QueueDialogAnswers(CHeadlessPlatform& platform, const SPlayOptions& options) {
    for (const std::string& text : options.texts16)
        platform.text16Answers.emplace_back(text);
    for (const std::string& text : options.texts32)
        platform.text32Answers.emplace_back(text);
    for (const std::string& file : options.bitmapFiles)
        platform.openFileAnswers.emplace_back(file);
}

bool WriteBanks(CHeadlessSession& session, const SPlayOptions& options, std::ostream& err) {
    for (int bank = 0; bank < kBankCount; ++bank) {
        const std::optional<std::string>& file = options.outFiles[bank];
        if (!file)
            continue;
        const size_t mark = session.MessageCount();
        if (!WriteBankFile(session.View(), bank, *file)) {
            PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + *file);
            return false;
        }
    }
    return true;
}

} // namespace

int RunPlay(const SPlayOptions& options, std::ostream& out, std::ostream& err) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    if (!OpenBanks(session, options, err))
        return kExitFailed;

    if (options.breakStep) {
        view.Store().m_breakStep = *options.breakStep;
        // The form shows it too, so that an operation that reads the form
        // back into the fields keeps it.
        view.UpdateData(false);
    }

    const size_t mark = session.MessageCount();
    if (!LoadMacroFile(view, options.macroFile)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot load " + options.macroFile);
        return kExitFailed;
    }

    QueueDialogAnswers(session.Platform(), options);
    // As a click on "MacroStart": the banks the replay changes are marked.
    session.Dispatcher().OnClick(IDC_MACRO_START);

    if (!WriteBanks(session, options, err))
        return kExitFailed;
    if (options.printState)
        out << StateJson(view.Store(), view.Document().Marks(), session.Platform().messages)
            << '\n';
    return kExitOk;
}
