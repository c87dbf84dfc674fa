#pragma once
// The stores a registry suite runs against: in memory, and a Wine prefix in a
// temporary folder. Each knows how to set an environment variable for expansion.
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "registry/memory_store.h"
#include "registry/wine_store.h"
#include "tests/registry/temp_dir.h"

namespace testing_support {

class StoreKind {
public:
    virtual ~StoreKind() = default;
    virtual std::shared_ptr<registry::RegistryStore> store() = 0;
    virtual void setVariable(const std::string& name, const std::string& value) = 0;
};

class MemoryKind : public StoreKind {
public:
    std::shared_ptr<registry::RegistryStore> store() override { return store_; }
    void setVariable(const std::string& name, const std::string& value) override {
        store_->setEnvironment(name, value);
    }

private:
    std::shared_ptr<registry::MemoryRegistryStore> store_ = std::make_shared<registry::MemoryRegistryStore>();
};

class WineKind : public StoreKind {
public:
    std::shared_ptr<registry::RegistryStore> store() override { return store_; }
    void setVariable(const std::string& name, const std::string& value) override {
        ::setenv(name.c_str(), value.c_str(), 1);
        set_.push_back(name);
    }
    ~WineKind() override {
        for (const std::string& name : set_) ::unsetenv(name.c_str());
    }
    const TempDir& prefix() const { return prefix_; }

private:
    TempDir prefix_;
    std::shared_ptr<registry::WineRegistryStore> store_ = std::make_shared<registry::WineRegistryStore>(prefix_.path());
    std::vector<std::string> set_;
};

}  // namespace testing_support
