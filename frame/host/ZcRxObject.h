#pragma once

// Run-time class information of the host's object hierarchy.
class ZcRxClass {
public:
    ZcRxClass(const char* name, const ZcRxClass* parent) : m_name(name), m_parent(parent) {}
    const char* name() const { return m_name; }
    const ZcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const ZcRxClass* other) const
    {
        for (const ZcRxClass* c = this; c; c = c->m_parent)
            if (c == other)
                return true;
        return false;
    }

private:
    const char* m_name;
    const ZcRxClass* m_parent;
};

class ZcRxObject {
public:
    virtual ~ZcRxObject() = default;
    static ZcRxClass* desc();
    virtual ZcRxClass* isA() const { return desc(); }
    bool isKindOf(const ZcRxClass* c) const { return isA()->isDerivedFrom(c); }
    static ZcRxObject* cast(const ZcRxObject* o) { return const_cast<ZcRxObject*>(o); }
};

// Declares desc(), isA() and cast() of a class of the hierarchy.
#define ZCRX_DECLARE_MEMBERS(CLASS)                                                      \
    static ZcRxClass* desc();                                                            \
    ZcRxClass* isA() const override { return desc(); }                                   \
    static CLASS* cast(const ZcRxObject* o)                                              \
    {                                                                                    \
        return o && o->isKindOf(CLASS::desc()) ? static_cast<CLASS*>(const_cast<ZcRxObject*>(o)) : nullptr; \
    }

// Defines desc() of CLASS deriving from PARENT (in one translation unit).
#define ZCRX_DEFINE_MEMBERS(CLASS, PARENT)                                               \
    ZcRxClass* CLASS::desc()                                                             \
    {                                                                                    \
        static ZcRxClass c(#CLASS, PARENT::desc());                                      \
        return &c;                                                                       \
    }
