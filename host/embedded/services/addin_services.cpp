#include "host/embedded/services/addin_services.h"

#include <algorithm>

#include "engine/text_functions.h"
#include "host/embedded/embedded_application.h"
#include "host/error.h"
#include "host/text.h"
#include "registry/c_registry.h"

namespace host::embedded {

namespace {

std::u16string fileNameOf(const std::u16string& path) {
    const auto slash = path.find_last_of(u"/\\");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

std::u16string officeKey(const std::u16string& version, const std::u16string& list) {
    return u"Software\\Microsoft\\Office\\" + version + u"\\Excel\\" + list;
}

registry::cRegistry keyOf(const std::shared_ptr<registry::RegistryStore>& store, const std::u16string& section) {
    registry::cRegistry reg(store);
    reg.ClassKey(registry::HKEY_CURRENT_USER);
    reg.SectionKey(section);
    reg.ValueType(registry::REG_SZ);
    return reg;
}

// Names of the values of a key, in order; empty when the key is missing.
std::vector<std::u16string> valueNames(registry::cRegistry& reg) {
    registry::OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    if (!reg.KeyExists() || !reg.EnumerateValues(names, count)) return {};
    std::vector<std::u16string> out;
    for (std::int32_t i = 1; i <= count; ++i) out.push_back(names[i]);
    return out;
}

class AddInHandle : public host::AddIn {
public:
    AddInHandle(std::shared_ptr<AddInList> list, size_t index) : list_(std::move(list)), index_(index) {}
    std::u16string Name() const override { return list_->entry(index_).name; }
    std::u16string FullName() const override { return list_->entry(index_).path; }
    std::u16string Title() const override { return list_->entry(index_).title; }
    bool Installed() const override { return list_->entry(index_).installed; }
    void setInstalled(bool installed) override { list_->setInstalled(index_, installed); }

private:
    std::shared_ptr<AddInList> list_;
    size_t index_;
};

class ComAddInHandle : public host::COMAddIn {
public:
    ComAddInHandle(std::shared_ptr<ComAddInList> list, size_t index) : list_(std::move(list)), index_(index) {}
    std::u16string ProgId() const override { return list_->registration(index_).progId; }
    std::u16string Description() const override { return list_->registration(index_).description; }
    bool Connect() const override { return list_->connected(index_); }
    void setConnect(bool connect) override { list_->setConnected(index_, connect); }

private:
    std::shared_ptr<ComAddInList> list_;
    size_t index_;
};

}  // namespace

// ---- add-in workbooks ----

AddInPtr AddInList::Item(long index) const {
    if (index < 1 || index > Count()) throw Error(errSubscript, "Subscript out of range");
    return std::make_shared<AddInHandle>(std::const_pointer_cast<AddInList>(shared_from_this()),
                                         static_cast<size_t>(index - 1));
}

AddInPtr AddInList::Item(const std::u16string& title) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (engine::foldCase(entries_[i].title) == engine::foldCase(title))
            return std::make_shared<AddInHandle>(std::const_pointer_cast<AddInList>(shared_from_this()), i);
    throw Error(errSubscript, "Subscript out of range");
}

AddInPtr AddInList::Add(const std::u16string& fileName, bool) {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].path == fileName) return Item(static_cast<long>(i + 1));
    if (!app_.fileExists(fileName)) throw Error(errApplication, "Unable to get the Add property of the AddIns class");
    AddInEntry entry{fileName, fileNameOf(fileName), app_.workbookTitle(fileName), false};
    entries_.push_back(entry);
    record(entry);
    return Item(Count());
}

void AddInList::setInstalled(size_t index, bool installed) {
    AddInEntry& entry = entries_[index];
    if (entry.installed == installed) return;
    entry.installed = installed;
    record(entry);
}

void AddInList::record(const AddInEntry& entry) {
    const std::u16string quoted = u"\"" + entry.name + u"\"";
    auto options = keyOf(store_, officeKey(app_.Version(), u"Options"));
    for (const auto& name : valueNames(options)) {
        options.ValueKey(name);
        if (options.Value().toText() == quoted) options.DeleteValue();
    }
    auto manager = keyOf(store_, officeKey(app_.Version(), u"Add-in Manager"));
    manager.ValueKey(entry.name);
    if (!entry.installed) {
        manager.CreateKey();
        manager.ValueType(registry::REG_SZ);
        manager.Value(registry::RegVariant(u""));
        return;
    }
    if (manager.KeyExists()) manager.DeleteValue();
    // The first free name among OPEN, OPEN1, OPEN2, ...
    const auto taken = valueNames(options);
    std::u16string name = u"OPEN";
    for (int n = 1; std::find(taken.begin(), taken.end(), name) != taken.end(); ++n)
        name = u"OPEN" + host::utf16(std::to_string(n));
    options.CreateKey();
    options.ValueKey(name);
    options.ValueType(registry::REG_SZ);
    options.Value(registry::RegVariant(quoted));
}

// ---- COM add-ins ----

COMAddInPtr ComAddInList::Item(const std::u16string& progId) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (engine::foldCase(entries_[i].registration.progId) == engine::foldCase(progId))
            return std::make_shared<ComAddInHandle>(std::const_pointer_cast<ComAddInList>(shared_from_this()), i);
    throw Error(errSubscript, "Subscript out of range");
}

void ComAddInList::registerAddIn(ComAddInRegistration registration) {
    auto key = keyOf(store_, u"Software\\Microsoft\\Office\\Excel\\Addins\\" + registration.progId);
    key.CreateKey();
    key.ValueKey(u"FriendlyName");
    key.Value(registry::RegVariant(registration.friendlyName));
    key.ValueKey(u"Description");
    key.ValueType(registry::REG_SZ);
    key.Value(registry::RegVariant(registration.description));
    key.ValueKey(u"LoadBehavior");
    key.ValueType(registry::REG_DWORD);
    key.Value(registry::RegVariant(static_cast<std::int32_t>(registration.loadBehavior)));
    entries_.push_back({std::move(registration), nullptr});
}

void ComAddInList::startUp() {
    for (size_t i = 0; i < entries_.size(); ++i)
        if ((entries_[i].registration.loadBehavior & 1) && !entries_[i].instance) setConnected(i, true);
}

void ComAddInList::setConnected(size_t index, bool connect) {
    Entry& entry = entries_[index];
    if (connect == (entry.instance != nullptr)) return;
    if (connect) {
        entry.instance = entry.registration.create();
        entry.instance->AddinInstance_OnConnection(app_.shared_from_this());
        app_.addInConnected(entry.instance);
        return;
    }
    auto instance = std::move(entry.instance);
    entry.instance = nullptr;
    app_.addInDisconnecting(instance);
    instance->AddinInstance_OnDisconnection();
}

std::shared_ptr<host::AddinInstance> ComAddInList::instance(const std::u16string& progId) const {
    for (const auto& e : entries_)
        if (e.registration.progId == progId) return e.instance;
    return nullptr;
}

}  // namespace host::embedded
