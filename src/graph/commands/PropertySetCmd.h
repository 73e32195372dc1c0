#pragma once

#include <memory>
#include <string>

#include "Common/Library/Cmd.h"
#include "Common/Library/SeriousError.h"
#include "graph/state/Memento.h"

namespace ovgGraph {

// A command's name from its class name.
std::u16string CmdName(const char* className);

// A command's target, checked when the command is made: none is an internal error naming the
// command's own source file and line.
template <class T>
std::shared_ptr<T> Required(std::shared_ptr<T> target, const char* source, int line)
{
    if (!target) throw orvel::SeriousError(source, line, "no target");
    return target;
}

// Sets one described property of a drawing primitive or glyph. Prepare reads the current value
// (the old one) and disables the command when it equals the new one or when the property does
// not apply to the object; execution writes the new value through the object's own setter, undo
// the old one. The primitive is reached through one virtual, so a legend or a popup reuses the
// rectangle and text setters on its own primitives.
template <class Primitive>
class PropertySetCmd : public orvel::Cmd {
public:
    PropertySetCmd(const char* className, const Schema<Primitive>& schema, const char* element, PropertyValue value)
        : Cmd(CmdName(className)), m_field(schema.Find(element)), m_new(std::move(value))
    {
        if (!m_field || m_field->IsPart() || !m_field->set) throw orvel::SeriousError((std::string(className) + ".cpp").c_str(), __LINE__, element);
    }

    const PropertyValue& GetOldValue() const { return m_old; }
    const PropertyValue& GetNewValue() const { return m_new; }

protected:
    virtual Primitive& GetPrimitive() = 0;
    // The value actually stored for a requested one (a frame width below 1 is 0).
    virtual PropertyValue Adjust(const PropertyValue& value) const { return value; }
    // After every write, for the notifications the setter does not make itself.
    virtual void AfterSet() {}

    void Prepare() override
    {
        m_new = Adjust(m_new);
        const std::optional<PropertyValue> current = m_field->get(GetPrimitive());
        if (!current || *current == m_new) {
            SetEnabled(false);
            return;
        }
        m_old = *current;
    }
    void DoExecute() override
    {
        m_field->set(GetPrimitive(), m_new);
        AfterSet();
    }
    void DoUndo() override
    {
        m_field->set(GetPrimitive(), m_old);
        AfterSet();
    }

private:
    const Field<Primitive>* m_field;
    PropertyValue m_old;
    PropertyValue m_new;
};

// The usual setter: the target is a shared graph object, the primitive is found inside it.
template <class Owner, class Primitive>
class OwnedPropertySetCmd : public PropertySetCmd<Primitive> {
public:
    using Reach = Primitive& (*)(Owner&);
    OwnedPropertySetCmd(const char* className, std::shared_ptr<Owner> target, Reach reach, const Schema<Primitive>& schema,
                        const char* element, PropertyValue value)
        : PropertySetCmd<Primitive>(className, schema, element, std::move(value)), m_target(std::move(target)), m_reach(reach)
    {
        if (!m_target) throw orvel::SeriousError((std::string(className) + ".cpp").c_str(), __LINE__, "no target");
    }

    const std::shared_ptr<Owner>& GetTarget() const { return m_target; }

protected:
    Primitive& GetPrimitive() override { return m_reach(*m_target); }

private:
    std::shared_ptr<Owner> m_target;
    Reach m_reach;
};

}  // namespace ovgGraph

// One setter command class: its name, the target's type, the primitive reached from it, the
// description and element of the property, and the value type the caller passes.
#define OVG_SETTER_CMD(Name, Owner, Primitive, ReachFn, SchemaFn, Element, ValueType)                          \
    class Name : public ::ovgGraph::OwnedPropertySetCmd<Owner, Primitive> {                                    \
    public:                                                                                                    \
        Name(std::shared_ptr<Owner> target, ValueType value)                                                   \
            : OwnedPropertySetCmd(#Name, std::move(target), ReachFn, SchemaFn(), Element, ::ovgGraph::ToValue(value)) \
        {                                                                                                      \
        }                                                                                                      \
    }
