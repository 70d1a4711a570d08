// TSM_Base: base of the editor's streamable objects (key assignments, keyword
// stores, templates, auto-replace lists, settings).
//
// An object writes itself to and reads itself from a binary stream; copying
// one object into another (Assign) and cloning go through that stream, so
// the stream format is the single definition of what an object holds.
// ReadFromStream implementations either read the whole object or raise and
// leave the object as it was.
#pragma once

#include "editor/core/sm_stream.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

class TSM_Base {
public:
    virtual ~TSM_Base() = default;

    // The class's design name ("TKeyboardActionContoller", "TCodeTemplates").
    virtual const char* ClassName() const = 0;
    // A new empty object of the same class.
    virtual std::unique_ptr<TSM_Base> NewInstance() const = 0;

    virtual void WriteToStream(TSMStreamWriter& stream) const = 0;
    virtual void ReadFromStream(TSMStreamReader& stream) = 0;

    // Copies `source` by writing it to memory and reading that back. A
    // source of another class raises EConvertError with AssignErrorText();
    // the object is then unchanged. Assigning an object to itself does
    // nothing.
    virtual void Assign(const TSM_Base& source);
    std::unique_ptr<TSM_Base> Clone() const;

    std::string SaveToString() const;
    void LoadFromString(std::string_view bytes);

protected:
    TSM_Base() = default;
    TSM_Base(const TSM_Base&) = default;
    TSM_Base& operator=(const TSM_Base&) = default;

    // The message for assigning from a foreign class; the default is
    // "Cannot assign a <source class> to <this class>".
    virtual std::string AssignErrorText(const TSM_Base& source) const;
};

}  // namespace tarnwick
