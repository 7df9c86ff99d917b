#pragma once
// Run-time class information: every window class can name itself and its base class.

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();  // null unless the class is dynamically creatable

    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CObject* CreateObject() const;
};

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* pClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                         \
public:                                                     \
    static const CRuntimeClass class##class_name;           \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_RUNTIMECLASS(class_name, base_name, create) \
    const CRuntimeClass class_name::class##class_name{        \
        #class_name, RUNTIME_CLASS(base_name), create};       \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return &class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_name, nullptr)

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_name)                  \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_name, &class_name::CreateObject)
