// Stream-based copying for the editor's streamable objects.
#include "editor/core/sm_base.h"

#include <typeinfo>

namespace tarnwick {

std::string TSM_Base::AssignErrorText(const TSM_Base& source) const
{
    return std::string("Cannot assign a ") + source.ClassName() + " to " + ClassName();
}

void TSM_Base::Assign(const TSM_Base& source)
{
    if (&source == this)
        return;
    // Only the exact class: a derived class's stream carries more (or other)
    // data than this class's reader expects.
    if (typeid(source) != typeid(*this))
        throw EConvertError(AssignErrorText(source));
    LoadFromString(source.SaveToString());
}

std::unique_ptr<TSM_Base> TSM_Base::Clone() const
{
    std::unique_ptr<TSM_Base> copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

std::string TSM_Base::SaveToString() const
{
    std::string bytes;
    TSMStreamWriter writer(bytes);
    WriteToStream(writer);
    return bytes;
}

void TSM_Base::LoadFromString(std::string_view bytes)
{
    TSMStreamReader reader(bytes);
    ReadFromStream(reader);
}

}  // namespace tarnwick
