// TCodeMemoClient: what a settings object and a scheme know of an editor
// that uses them.
//
// An editor registers itself with the settings object it paints with
// (TSM_Settings::AttachEditor) and with every scheme it holds in a slot
// (TCustomCodeMemoParser::AttachEditor). They call back through this
// interface; every call comes from the thread that owns the editor. The
// default implementations do nothing.
#pragma once

namespace tarnwick {

class TCustomCodeMemoParser;
class TSM_Settings;

// What changed in a settings object.
enum class TSM_Change {
    smcAll,        // anything: reload everything (private message 0xC12)
    smcEffects,    // effects or the token-to-effect map: repaint with new colours
    smcGutterFont  // the gutter font: re-measure and repaint the gutter
};

class TCodeMemoClient {
public:
    virtual ~TCodeMemoClient() = default;

    // The settings object the editor is attached to changed.
    virtual void SettingsChanged(TSM_Settings& /*settings*/, TSM_Change /*change*/) {}
    // The scheme has added the editor to its list (through a slot, or
    // because its tokenizer served the editor). Until the editor detaches
    // or hears SchemeDestroyed, the scheme keeps a pointer to it, so an
    // editor that goes away first must detach from every such scheme.
    virtual void SchemeAttached(TCustomCodeMemoParser& /*scheme*/) {}
    // A scheme the editor holds was loaded, compiled or edited: the editor
    // takes it again as its active scheme when it is the active one
    // (re-reading colours, fonts and keys).
    virtual void SchemeChanged(TCustomCodeMemoParser& /*scheme*/) {}
    // The scheme is going away: the editor empties every slot that holds it
    // and, when it was active, falls back to its private settings. Only the
    // scheme's base-class services (settings, attach/detach) may be used
    // during this call.
    virtual void SchemeDestroyed(TCustomCodeMemoParser& /*scheme*/) {}
};

}  // namespace tarnwick
