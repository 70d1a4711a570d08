// TCustomCodeMemoParser: what the editor asks of a highlighting scheme — the
// abstract base of the scheme object (TCodeMemoParser).
//
// The editor restarts tokenizing only at token values in AnchorSet(), resets
// the tokenizer with the token value found just before the restart point,
// then reads one token at a time from its character stream; it consults
// InContainer() after each token, Busy() before starting a pass (another
// editor left a container unfinished) and Bound() to decide whether
// highlighting must go on past a line whose token values did not change.
//
// The base owns the scheme's settings object and the list of editors using
// the scheme: attaching an editor also registers it with the settings
// object; ReapplyToEditors asks every attached editor to take the scheme
// again; destroying the scheme tells every attached editor first.
#pragma once

#include "editor/core/code_memo_client.h"
#include "editor/core/custom_ed_stream.h"
#include "editor/core/sm_settings.h"
#include "editor/core/state_set.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

class TCustomCodeMemoParser {
public:
    TCustomCodeMemoParser();
    virtual ~TCustomCodeMemoParser();
    TCustomCodeMemoParser(const TCustomCodeMemoParser&) = delete;
    TCustomCodeMemoParser& operator=(const TCustomCodeMemoParser&) = delete;

    // The component name, used in messages ("%s: %s").
    std::string Name;

    // ---- tokenizer ----
    // Token values at which the editor may restart tokenizing.
    virtual const TStateSet& AnchorSet() const = 0;
    // Starts over with the state set of `contextValue` (0..255).
    virtual void ResetTokenizer(int contextValue) = 0;
    // Reads the token at the stream position for `editor`; the stream then
    // stands after it and `length` is its length (at least 1 while text
    // remains). Returns its token value 0..255. A new editor is attached.
    virtual int ReadToken(TCodeMemoClient* editor, TCustomEdStream& stream, int& length) = 0;
    // The last token was a container whose inside is being read.
    virtual bool InContainer() const = 0;
    // The previous call left a container unfinished: another editor's pass
    // is under way.
    virtual bool Busy() const = 0;
    // The current state set meets the scheme's bound set.
    virtual bool Bound() const = 0;

    // ---- settings ----
    TSM_Settings& Settings() { return *settings_; }
    const TSM_Settings& Settings() const { return *settings_; }
    // Puts `settings` in place of the scheme's settings object (which the
    // caller gets back), moving the attached editors' registrations along.
    // The options dialog edits a working copy this way and always swaps the
    // original back.
    std::unique_ptr<TSM_Settings> ReplaceSettings(std::unique_ptr<TSM_Settings> settings);

    // ---- editors using the scheme ----
    // Attaching twice or detaching an unknown editor does nothing.
    void AttachEditor(TCodeMemoClient* editor);
    void DetachEditor(TCodeMemoClient* editor);
    bool IsAttached(const TCodeMemoClient* editor) const;
    const std::vector<TCodeMemoClient*>& Editors() const { return editors_; }
    // Replaces the list of attached editors, giving the old one back (the
    // options dialog shows only its preview editors while open). Settings
    // registrations are moved along.
    std::vector<TCodeMemoClient*> ReplaceEditors(std::vector<TCodeMemoClient*> editors);
    // Asks every attached editor to take the scheme again. An exception from
    // one editor does not stop the others; the first one is raised again
    // when all have been asked.
    void ReapplyToEditors();

    // Raised by the edit-properties operation when assigned; otherwise the
    // host shows the editor options dialog.
    std::function<void(TCustomCodeMemoParser& sender)> OnModifyProperties;

protected:
    // Tells the attached editors that the scheme is going away and empties
    // the list. The base destructor calls it; a derived destructor may call
    // it first so the editors see the whole scheme. Calling it again does
    // nothing.
    void NotifyDestroyed();

private:
    std::unique_ptr<TSM_Settings> settings_;
    std::vector<TCodeMemoClient*> editors_;
    bool destroyed_ = false;
};

}  // namespace tarnwick
