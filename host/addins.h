#pragma once
// What the host offers and expects around add-ins: the add-in workbook list, the COM
// add-in list, and the connection interface a COM add-in implements.
#include <memory>
#include <string>

#include "host/fwd.h"

namespace host {

// An add-in workbook the host lists (Application.AddIns).
class AddIn {
public:
    virtual ~AddIn() = default;
    virtual std::u16string Name() const = 0;      // file name, "Cellwash Kit 5.0.xla"
    virtual std::u16string FullName() const = 0;  // path
    virtual std::u16string Title() const = 0;
    virtual bool Installed() const = 0;
    virtual void setInstalled(bool installed) = 0;
};
using AddInPtr = std::shared_ptr<AddIn>;

class AddIns {
public:
    virtual ~AddIns() = default;
    virtual long Count() const = 0;
    virtual AddInPtr Item(long index) const = 0;                                      // error 9 when absent
    virtual AddInPtr Item(const std::u16string& title) const = 0;                     // by title; error 9 when absent
    virtual AddInPtr Add(const std::u16string& fileName, bool copyFile = false) = 0;  // 1004 when missing
};
using AddInsPtr = std::shared_ptr<AddIns>;

// A COM add-in the host knows (Application.COMAddIns).
class COMAddIn {
public:
    virtual ~COMAddIn() = default;
    virtual std::u16string ProgId() const = 0;
    virtual std::u16string Description() const = 0;
    virtual bool Connect() const = 0;
    // False makes the host disconnect the add-in; true connects it again.
    virtual void setConnect(bool connect) = 0;
};
using COMAddInPtr = std::shared_ptr<COMAddIn>;

class COMAddIns {
public:
    virtual ~COMAddIns() = default;
    virtual long Count() const = 0;
    virtual COMAddInPtr Item(const std::u16string& progId) const = 0;  // error 9 when absent
};
using COMAddInsPtr = std::shared_ptr<COMAddIns>;

// Implemented by a COM add-in: the host's calls in at load and unload.
class AddinInstance {
public:
    virtual ~AddinInstance() = default;
    virtual void AddinInstance_OnConnection(const ApplicationPtr& application) = 0;
    virtual void AddinInstance_OnDisconnection() = 0;
};

}  // namespace host
