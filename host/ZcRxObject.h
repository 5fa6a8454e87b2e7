#pragma once

#include "ZrxExport.h"

// Run-time class information of the host's object hierarchy.
class ZRX_EXPORT ZcRxClass {
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

// Every class of the hierarchy has its virtual functions defined in the
// host, never inline, so that its vtable and type information live there:
// objects an application made stay valid after it is unloaded.
class ZRX_EXPORT ZcRxObject {
public:
    virtual ~ZcRxObject();
    static ZcRxClass* desc();
    virtual ZcRxClass* isA() const;
    bool isKindOf(const ZcRxClass* c) const { return isA()->isDerivedFrom(c); }
    static ZcRxObject* cast(const ZcRxObject* o) { return const_cast<ZcRxObject*>(o); }
};

// Declares desc(), isA() and cast() of a class of the hierarchy.
#define ZCRX_DECLARE_MEMBERS(CLASS)                                                                         \
    static ZcRxClass* desc();                                                                               \
    ZcRxClass* isA() const override;                                                                        \
    static CLASS* cast(const ZcRxObject* o)                                                                 \
    {                                                                                                       \
        return o && o->isKindOf(CLASS::desc()) ? static_cast<CLASS*>(const_cast<ZcRxObject*>(o)) : nullptr; \
    }

// Defines desc() and isA() of CLASS deriving from PARENT (in one translation
// unit of the host: isA() is the class's key function).
#define ZCRX_DEFINE_MEMBERS(CLASS, PARENT)          \
    ZcRxClass* CLASS::desc()                        \
    {                                               \
        static ZcRxClass c(#CLASS, PARENT::desc()); \
        return &c;                                  \
    }                                               \
    ZcRxClass* CLASS::isA() const { return desc(); }
