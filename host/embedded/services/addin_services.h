#pragma once
// The embedded host's add-in lists: add-in workbooks (recorded in the registry the way the
// host's start-up and add-in manager lists keep them) and COM add-ins with their
// registration, connection and disconnection.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/addins.h"

namespace registry {
class RegistryStore;
}

namespace host::embedded {

class EmbeddedApplication;

// One add-in workbook the host lists.
struct AddInEntry {
    std::u16string path, name, title;
    bool installed = false;
};

class AddInList : public host::AddIns, public std::enable_shared_from_this<AddInList> {
public:
    AddInList(EmbeddedApplication& app, std::shared_ptr<registry::RegistryStore> store)
        : app_(app), store_(std::move(store)) {}

    long Count() const override { return static_cast<long>(entries_.size()); }
    AddInPtr Item(long index) const override;
    AddInPtr Item(const std::u16string& title) const override;
    AddInPtr Add(const std::u16string& fileName, bool copyFile) override;

    AddInEntry& entry(size_t index) { return entries_[index]; }
    void setInstalled(size_t index, bool installed);
    registry::RegistryStore& store() { return *store_; }

private:
    void record(const AddInEntry& entry);  // writes the start-up / add-in manager lists

    EmbeddedApplication& app_;
    std::shared_ptr<registry::RegistryStore> store_;
    std::vector<AddInEntry> entries_;
};

// A COM add-in as registered with the host (ProgID, friendly name, load behaviour 3 means
// connected at start-up), with the factory that creates its connection object.
struct ComAddInRegistration {
    std::u16string progId, friendlyName, description;
    int loadBehavior = 3;
    std::function<std::shared_ptr<host::AddinInstance>()> create;
};

class ComAddInList : public host::COMAddIns, public std::enable_shared_from_this<ComAddInList> {
public:
    ComAddInList(EmbeddedApplication& app, std::shared_ptr<registry::RegistryStore> store)
        : app_(app), store_(std::move(store)) {}

    long Count() const override { return static_cast<long>(entries_.size()); }
    COMAddInPtr Item(const std::u16string& progId) const override;

    // Records the registration under HKCU\Software\Microsoft\Office\Excel\Addins\<ProgID>.
    void registerAddIn(ComAddInRegistration registration);
    // Connects every add-in registered to load at start-up.
    void startUp();
    void setConnected(size_t index, bool connect);
    bool connected(size_t index) const { return entries_[index].instance != nullptr; }
    const ComAddInRegistration& registration(size_t index) const { return entries_[index].registration; }
    // The connection object of a connected add-in, or nullptr.
    std::shared_ptr<host::AddinInstance> instance(const std::u16string& progId) const;

private:
    struct Entry {
        ComAddInRegistration registration;
        std::shared_ptr<host::AddinInstance> instance;  // set while connected
    };

    EmbeddedApplication& app_;
    std::shared_ptr<registry::RegistryStore> store_;
    std::vector<Entry> entries_;
};

}  // namespace host::embedded
