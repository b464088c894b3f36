#include "platform/Object.h"

#include <cstring>
#include <map>
#include <string>

namespace {
std::map<std::string, const CRuntimeClass*, std::less<>>& ClassTable()
{
    static std::map<std::string, const CRuntimeClass*, std::less<>> table;
    return table;
}
} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
        if (c == base) return true;
    return false;
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr) return nullptr;
    return std::unique_ptr<CObject>(m_pfnCreateObject());
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name)
{
    auto& table = ClassTable();
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

const CRuntimeClass* CRuntimeClass::Register(const CRuntimeClass* cls)
{
    ClassTable().emplace(cls->m_lpszClassName, cls);
    return cls;
}
