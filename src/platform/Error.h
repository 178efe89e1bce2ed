#pragma once
// Errors of the platform layers, as values with a kind.
//
// Every layer under src/platform raises plat::Error; callers tell the kinds
// apart (a locked record is retried, a missing file is reported) and show
// mensaje() to the user. errno is turned into an Error in one place
// (plat::ErrorDeSistema).

#include <QString>
#include <QByteArray>
#include <exception>

namespace plat {

enum class Clase {
  General,     // anything without a more precise kind
  Io,          // input/output failure of the system
  NoExiste,    // file, table, field, printer or port not found
  Corrupto,    // a file whose bytes do not follow its format
  Bloqueado,   // record locked by another station or handle
  EnUso,       // file held exclusively by someone else, or open when exclusive use was asked
  NoCabe,      // a value that does not fit its field
  Conversion,  // a text that is not a valid number or date
  Sql,         // a statement the SQL engine cannot run
  Estado,      // operation not allowed in the dataset's current state
};

class Error : public std::exception {
 public:
  Error(Clase clase, QString mensaje) : clase_(clase), mensaje_(std::move(mensaje)), utf8_(mensaje_.toUtf8()) {}
  explicit Error(QString mensaje) : Error(Clase::General, std::move(mensaje)) {}

  Clase clase() const noexcept { return clase_; }
  const QString& mensaje() const noexcept { return mensaje_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  Clase clase_;
  QString mensaje_;
  QByteArray utf8_;
};

// An Error for a failed system call: errno (or the given code) described,
// prefixed by what was being done. ENOENT gives NoExiste, EACCES/EAGAIN on
// locks give EnUso, everything else Io.
Error ErrorDeSistema(const QString& contexto, int codigo);

// The text to show for any exception: an Error's message, else what().
inline QString TextoError(const std::exception& e) {
  const auto* propio = dynamic_cast<const Error*>(&e);
  return propio ? propio->mensaje() : QString::fromUtf8(e.what());
}

}  // namespace plat
