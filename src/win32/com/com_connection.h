#pragma once
// What the objects of one attached server share.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "base/error.h"

namespace varnel::win {

// What the objects of one attached server share: the DISPIDs of each class
// of its objects, the classes found to offer no member, the server's name
// for messages, and the round trips made to it. A server assigns DISPIDs per
// class, and another server (or another version) assigns them otherwise:
// nothing here is shared between classes or between attachments.
struct ComConnection {
  explicit ComConnection(std::string serverName) : server(std::move(serverName)) {}
  // The error for a failed call to the server: a rejection for being busy
  // says so in the server's name; anything else as comError says.
  base::Error failure(HRESULT result, EXCEPINFO* info = nullptr, IUnknown* object = nullptr) const;

  std::string server;                     // "PowerLogic"
  std::map<std::string, DISPID> dispids;  // by "class.member"
  std::set<std::string> missing;          // "class.member" the class does not offer
  std::int64_t roundTrips = 0;
};

}  // namespace varnel::win
