#pragma once
// The root of every stored class and the table that creates objects by class
// name when a document is read back.
#include "platform/Types.h"

#include <memory>
#include <string_view>

class CArchive;
class CObject;

// One entry per stored class: its name as written to files, its schema, its
// base (for kind tests) and a factory (null for classes that cannot be made
// by name).
struct CRuntimeClass {
    const char* m_lpszClassName;
    WORD m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // A new object of the class, or null when the class has no factory.
    std::unique_ptr<CObject> CreateObject() const;

    // The registered class with this exact name, or null.
    static const CRuntimeClass* FromName(std::string_view name);
    // Called once per class by KT_IMPLEMENT_* during static initialisation.
    static const CRuntimeClass* Register(const CRuntimeClass* cls);
};

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;
    static const CRuntimeClass* ThisClass() { return &classCObject; }
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

// In a class body: the class has a runtime class (kind tests) ...
#define KT_DECLARE_DYNAMIC(cls)                                                        \
public:                                                                                \
    static const CRuntimeClass class##cls;                                             \
    static const CRuntimeClass* ThisClass() { return &class##cls; }                    \
    const CRuntimeClass* GetRuntimeClass() const override { return &class##cls; }      \
private:

// ... and can be created by name when it is read from an archive.
#define KT_DECLARE_SERIAL(cls)                                                         \
    KT_DECLARE_DYNAMIC(cls)                                                            \
public:                                                                                \
    static CObject* CreateObject();                                                    \
private:

#define KT_IMPLEMENT_DYNAMIC(cls, base)                                                \
    const CRuntimeClass cls::class##cls = {#cls, 0xFFFF, nullptr, RUNTIME_CLASS(base)};

#define KT_IMPLEMENT_SERIAL(cls, base, schema)                                         \
    CObject* cls::CreateObject() { return new cls; }                                   \
    const CRuntimeClass cls::class##cls = {#cls, schema, &cls::CreateObject,           \
                                           RUNTIME_CLASS(base)};                       \
    [[maybe_unused]] static const CRuntimeClass* const kt_registered_##cls =           \
        CRuntimeClass::Register(RUNTIME_CLASS(cls));
