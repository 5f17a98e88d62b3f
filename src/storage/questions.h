#pragma once

#include <QString>

namespace kesto {

/// The questions the core asks the user. The window answers them with dialogs,
/// the command-line tool from its options, tests from a script.
class UserQuestions
{
public:
    virtual ~UserQuestions() = default;

    /// A one-line input box. Returns the empty text when the user cancels.
    virtual QString askText(const QString &prompt, const QString &title, const QString &preset) = 0;
    /// A Yes/No question whose default button is No; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
    /// Whether to rename although the batch cannot be undone: its journal
    /// cannot be written. A Yes/No question unless the front end says otherwise.
    virtual bool askRenameWithoutUndo(const QString &text, const QString &title)
    {
        return askYesNo(text, title);
    }
    /// A Yes/No question whose default button is Yes, for a step the user
    /// asked for or one that makes things whole again; true for Yes.
    virtual bool confirm(const QString &text, const QString &title)
    {
        return askYesNo(text, title);
    }
    /// An OK/Cancel message; true for OK.
    virtual bool askOkCancel(const QString &text, const QString &title) = 0;
    /// What to do after one file of a batch could not be renamed.
    enum class FailureAnswer {
        GoOn,    ///< on with the next file
        SkipAll, ///< on with every file, without asking again
        Stop,    ///< no further file
    };
    /// Asks what to do after a failed rename: an OK/Cancel message unless
    /// the front end offers more.
    virtual FailureAnswer askAfterFailure(const QString &text, const QString &title)
    {
        return askOkCancel(text, title) ? FailureAnswer::GoOn : FailureAnswer::Stop;
    }
    /// A message to take note of, with OK only. Where no other way is given
    /// it is shown as an OK/Cancel message whose answer does not matter.
    virtual void tell(const QString &text, const QString &title) { askOkCancel(text, title); }
    /// Which files of the folders among paths the user dropped or chose go
    /// into the list.
    struct FolderAnswer
    {
        enum class Files {
            None,           ///< none: nothing of the paths is loaded
            OwnFiles,       ///< the files in each folder itself
            WithSubfolders, ///< those in all its subfolders as well
            FolderItself,   ///< none: each folder is a row, to be renamed itself
        };
        Files files = Files::None;
        bool hidden = false; ///< files and folders whose name begins with "." too
    };
    /// Asks which files of the folders to load. A front end that offers no
    /// choice loads none.
    virtual FolderAnswer askFolderFiles(const QString &, const QString &) { return {}; }
};

} // namespace kesto
