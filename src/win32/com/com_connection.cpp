#include "win32/com/com_connection.h"

#include "win32/com/com_error.h"

namespace varnel::win {

base::Error ComConnection::failure(HRESULT result, EXCEPINFO* info, IUnknown* object) const {
  if (!isBusyRejection(static_cast<std::uint32_t>(result))) return comError(result, info, object);
  if (info) comError(result, info);  // frees its texts
  return base::Error(static_cast<std::uint32_t>(result),
                     server + " is busy and did not take the call. Close any dialog open in " +
                         server + ", then try again.");
}

}  // namespace varnel::win
