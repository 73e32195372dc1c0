#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filelib/XmlElement.h"
#include "graph/state/PropertyValue.h"

namespace ovgGraph {

using OvGraphFileLib::XmlElement;

// The snapshot of a graph object's persistent properties. Every value is optional: one that was
// never captured or read is neither written nor applied. Written as one XML element (named by
// the memento's element name) whose children are the sub-mementos and the properties.
class Memento {
public:
    explicit Memento(std::string elementName) : m_elementName(std::move(elementName)) {}
    virtual ~Memento() = default;

    const std::string& ElementName() const { return m_elementName; }
    // The same memento is stored under other names in places (a theme's "Axis", a list's "GlyAxis").
    void SetElementName(std::string name) { m_elementName = std::move(name); }

    // Appends one element named ElementName() to the parent: present sub-mementos and properties
    // in the order of the object's description.
    virtual void Write(XmlElement& parent) const = 0;
    // Fills the memento from the children of the element, each looked up by name; children it
    // does not know are ignored.
    virtual void Read(const XmlElement& element) = 0;

private:
    std::string m_elementName;
};

// Creates empty mementos by element name: the members of the axes, channels and shapes lists and
// the complete objects stored by themselves (themes) are read through it.
class MementoFactory {
public:
    using Creator = std::function<std::shared_ptr<Memento>()>;
    static MementoFactory& Instance();
    void Register(const std::string& name, Creator creator);
    // An empty memento named `name`; a name nobody registered is an internal error.
    std::shared_ptr<Memento> Create(const std::string& name) const;
    bool Knows(const std::string& name) const { return m_creators.count(name) != 0; }

private:
    MementoFactory();
    std::map<std::string, Creator> m_creators;
};

template <class T>
class ObjectMemento;

// One entry of an object kind's description: a property (element name, encoding, accessors) or a
// part (a sub-memento reached from the object).
template <class T>
struct Field {
    std::string element;
    // Property: nullopt from get means "not applicable here" (not written); a null set means the
    // value is written but not read back.
    Encoding encoding = Encoding::kInt;
    std::optional<PropertyValue> (*get)(T&) = nullptr;
    void (*set)(T&, const PropertyValue&) = nullptr;
    // Part.
    std::function<std::shared_ptr<Memento>(T&)> capture;
    std::function<void(T&, const Memento&)> apply;
    std::function<std::shared_ptr<Memento>()> create;

    bool IsPart() const { return bool(create); }
};

// An object kind's description: the memento's element name, its fields in writing order, and an
// optional step run after the fields were applied (values that must be set together).
template <class T>
struct Schema {
    std::string name;
    std::vector<Field<T>> fields;
    void (*afterApply)(T&, const ObjectMemento<T>&) = nullptr;

    const Field<T>* Find(std::string_view element) const
    {
        for (const Field<T>& field : fields)
            if (field.element == element) return &field;
        return nullptr;
    }
};

// The memento of one object kind, driven by its description.
template <class T>
class ObjectMemento : public Memento {
public:
    explicit ObjectMemento(const Schema<T>& schema, std::string elementName = {})
        : Memento(elementName.empty() ? schema.name : std::move(elementName)),
          m_schema(&schema),
          m_values(schema.fields.size()),
          m_parts(schema.fields.size())
    {
    }

    const Schema<T>& GetSchema() const { return *m_schema; }

    // Fills every field from the object.
    void Capture(T& target)
    {
        for (size_t i = 0; i < m_schema->fields.size(); ++i) {
            const Field<T>& field = m_schema->fields[i];
            if (field.IsPart())
                m_parts[i] = field.capture(target);
            else
                m_values[i] = field.get(target);
        }
    }

    // Sets the present values on the object; parts apply their sub-mementos to its parts.
    void Apply(T& target) const
    {
        for (size_t i = 0; i < m_schema->fields.size(); ++i) {
            const Field<T>& field = m_schema->fields[i];
            if (field.IsPart()) {
                if (m_parts[i]) field.apply(target, *m_parts[i]);
            } else if (m_values[i] && field.set) {
                field.set(target, *m_values[i]);
            }
        }
        if (m_schema->afterApply) m_schema->afterApply(target, *this);
    }

    void Write(XmlElement& parent) const override
    {
        XmlElement& element = parent.Append(ElementName());
        element.ReserveChildren(m_schema->fields.size());
        for (size_t i = 0; i < m_schema->fields.size(); ++i) {
            const Field<T>& field = m_schema->fields[i];
            if (field.IsPart()) {
                if (m_parts[i]) m_parts[i]->Write(element);
            } else if (m_values[i]) {
                element.Append(field.element, EncodeValue(*m_values[i], field.encoding));
            }
        }
    }

    void Read(const XmlElement& element) override
    {
        for (size_t i = 0; i < m_schema->fields.size(); ++i) {
            const Field<T>& field = m_schema->fields[i];
            const XmlElement* child = element.Find(field.element);
            if (!child) continue;
            if (field.IsPart()) {
                m_parts[i] = field.create();
                m_parts[i]->Read(*child);
            } else if (field.set) {
                m_values[i] = DecodeValue(child->Text(), field.encoding);
            }
        }
    }

    // A property's slot by element name (null for an unknown name or a part).
    std::optional<PropertyValue>* Value(std::string_view element)
    {
        for (size_t i = 0; i < m_schema->fields.size(); ++i)
            if (m_schema->fields[i].element == element && !m_schema->fields[i].IsPart()) return &m_values[i];
        return nullptr;
    }
    const std::optional<PropertyValue>* Value(std::string_view element) const
    {
        return const_cast<ObjectMemento*>(this)->Value(element);
    }
    // A part's sub-memento by element name (null when absent or unknown).
    std::shared_ptr<Memento> Part(std::string_view element) const
    {
        for (size_t i = 0; i < m_schema->fields.size(); ++i)
            if (m_schema->fields[i].element == element && m_schema->fields[i].IsPart()) return m_parts[i];
        return nullptr;
    }

private:
    const Schema<T>* m_schema;
    std::vector<std::optional<PropertyValue>> m_values;
    std::vector<std::shared_ptr<Memento>> m_parts;
};

// A list of member mementos (axes, channels, shapes), each written under its own element name
// and read back through the factory.
class ListMemento : public Memento {
public:
    using Memento::Memento;
    std::vector<std::shared_ptr<Memento>>& Members() { return m_members; }
    const std::vector<std::shared_ptr<Memento>>& Members() const { return m_members; }
    void Write(XmlElement& parent) const override;
    void Read(const XmlElement& element) override;

private:
    std::vector<std::shared_ptr<Memento>> m_members;
};

// --- Building descriptions ----------------------------------------------------------------

// A property read and written through a getter and a setter of the object.
template <class T, auto Get, auto Set>
Field<T> Property(std::string element, Encoding encoding)
{
    Field<T> field;
    field.element = std::move(element);
    field.encoding = encoding;
    field.get = [](T& t) -> std::optional<PropertyValue> { return ToValue((t.*Get)()); };
    field.set = [](T& t, const PropertyValue& v) {
        using Value = std::remove_cvref_t<decltype((t.*Get)())>;
        (t.*Set)(FromValue<Value>(v));
    };
    return field;
}

// A property with hand-written accessors (captureless lambdas).
template <class T>
Field<T> Property(std::string element, Encoding encoding, std::optional<PropertyValue> (*get)(T&),
                  void (*set)(T&, const PropertyValue&))
{
    Field<T> field;
    field.element = std::move(element);
    field.encoding = encoding;
    field.get = get;
    field.set = set;
    return field;
}

// A part: the sub-memento of the object `reach` finds inside T, described by `schema`.
template <class T, class U>
Field<T> Part(std::string element, const Schema<U>& schema, U& (*reach)(T&))
{
    Field<T> field;
    field.element = element;
    const Schema<U>* described = &schema;
    field.capture = [described, reach, element](T& t) -> std::shared_ptr<Memento> {
        auto memento = std::make_shared<ObjectMemento<U>>(*described, element);
        memento->Capture(reach(t));
        return memento;
    };
    field.apply = [reach](T& t, const Memento& memento) {
        if (const auto* typed = dynamic_cast<const ObjectMemento<U>*>(&memento)) typed->Apply(reach(t));
    };
    field.create = [described, element] { return std::make_shared<ObjectMemento<U>>(*described, element); };
    return field;
}

// The part of a derived object that is its own base (GlyphText is a GlyphInt).
template <class T, class Base>
Base& AsBase(T& t)
{
    return t;
}

}  // namespace ovgGraph
