#include "platform/fs/Regional.h"

namespace fs {

FormatosRegionales& Regional() {
  static FormatosRegionales formatos;
  return formatos;
}

}  // namespace fs
