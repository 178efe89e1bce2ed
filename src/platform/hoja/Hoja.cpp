#include "platform/hoja/Hoja.h"

#include "platform/Error.h"
#include "platform/fs/Regional.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

#include <xlsxwriter.h>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace hoja {

namespace {

const QString kExtensionLibro = QStringLiteral(".xlsx");
const QString kExtensionTexto = QStringLiteral(".xls");
constexpr qsizetype kLargoTexto = 32767;  // characters a workbook cell holds

QString SinBlancosFinales(const QString& texto) {
  qsizetype fin = texto.size();
  while (fin > 0 && texto[fin - 1] == u' ') --fin;
  return texto.left(fin);
}

bool SoloDigitos(QStringView texto) {
  return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A number as the program writes amounts, and the workbook format that shows
// it as its text did.
struct Numero {
  double valor = 0;
  QString formato;
};

std::optional<Numero> LeeNumero(const QString& texto) {
  const fs::FormatosRegionales& regional = fs::Regional();
  QString t = texto.trimmed();
  const bool pesos = t.startsWith(u'$');
  if (pesos) t = t.mid(1).trimmed();
  const bool negativo = t.startsWith(u'-');
  if (negativo) t = t.mid(1);
  const qsizetype punto = t.indexOf(regional.separadorDecimal);
  const QString entero = punto < 0 ? t : t.left(punto);
  const QString decimales = punto < 0 ? QString() : t.mid(punto + 1);
  if ((entero.isEmpty() && decimales.isEmpty()) || !SoloDigitos(decimales)) return std::nullopt;
  // Whole digits, or groups of three after a first group of one to three.
  const QStringList grupos = entero.split(regional.separadorMiles);
  const bool miles = grupos.size() > 1;
  for (qsizetype i = 0; i < grupos.size(); ++i) {
    const QString& g = grupos[i];
    const bool valido = miles ? (i == 0 ? !g.isEmpty() && g.size() <= 3 : g.size() == 3) : true;
    if (!valido || !SoloDigitos(g)) return std::nullopt;
  }
  bool ok = false;
  const QString digitos = (negativo ? QStringLiteral("-") : QString()) + grupos.join(QString()) +
                          (decimales.isEmpty() ? QString() : u'.' + decimales);
  Numero n;
  n.valor = QLocale::c().toDouble(digitos.startsWith(u'.') ? u'0' + digitos : digitos, &ok);
  if (!ok) return std::nullopt;
  QString formato = miles ? QStringLiteral("#,##0") : QStringLiteral("0");
  if (!decimales.isEmpty()) formato += u'.' + QString(decimales.size(), u'0');
  // "$" in front of the sign, as the program writes a negative amount.
  n.formato = pesos ? u'$' + formato + QStringLiteral(";$-") + formato : formato;
  return n;
}

}  // namespace

class Hoja::Salida {
 public:
  virtual ~Salida() = default;
  virtual void Agrega(const Fila& fila, bool tabuladorFinal) = 0;
  virtual void Cierra() = 0;
  virtual bool EsLibro() const = 0;
};

namespace {

// Tab-separated text, Windows-1252, CR LF.
class SalidaTexto : public Hoja::Salida {
 public:
  explicit SalidaTexto(const QString& nombre) : nombre_(nombre), archivo_(fs::Local(nombre)) {
    if (!archivo_.open(QIODevice::WriteOnly)) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear el archivo ") + nombre_);
    }
  }

  void Agrega(const Fila& fila, bool tabuladorFinal) override {
    QString linea;
    for (qsizetype i = 0; i < fila.size(); ++i) {
      if (i > 0) linea += u'\t';
      linea += fila[i].texto;
    }
    if (tabuladorFinal) linea += u'\t';
    const QByteArray bytes = fs::ACp1252(linea) + "\r\n";
    if (archivo_.write(bytes) != bytes.size()) Falla();
  }

  void Cierra() override {
    if (!archivo_.commit()) Falla();
  }

  bool EsLibro() const override { return false; }

 private:
  [[noreturn]] void Falla() {
    archivo_.cancelWriting();
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo escribir el archivo ") + nombre_);
  }

  QString nombre_;
  QSaveFile archivo_;
};

// A workbook of one sheet, written in constant memory to a temporary file
// beside the named one.
class SalidaLibro : public Hoja::Salida {
 public:
  explicit SalidaLibro(const QString& nombre) : nombre_(nombre), destino_(fs::Local(nombre)) {
    const QFileInfo info(destino_);
    temporal_ = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                  QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporal_.data(), O_CLOEXEC);
    if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear el archivo ") + nombre_, errno);
    ::fchmod(fd, 0666 & ~fs::MascaraDelProceso());
    ::close(fd);
    lxw_workbook_options opciones{};
    opciones.constant_memory = LXW_TRUE;
    libro_ = workbook_new_opt(temporal_.constData(), &opciones);
    hoja_ = libro_ ? workbook_add_worksheet(libro_, "Hoja1") : nullptr;
    if (!hoja_) {
      Descarta();
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear el archivo ") + nombre_);
    }
  }

  ~SalidaLibro() override { Descarta(); }

  void Agrega(const Fila& fila, bool) override {
    if (renglon_ >= LXW_ROW_MAX) {
      throw plat::Error(plat::Clase::NoCabe,
                        QStringLiteral("El archivo %1 no admite más de %2 renglones").arg(nombre_).arg(LXW_ROW_MAX));
    }
    for (qsizetype c = 0; c < fila.size() && c < LXW_COL_MAX; ++c) {
      const lxw_col_t columna = static_cast<lxw_col_t>(c);
      if (fila[c].tipo == Tipo::Numero) {
        if (const std::optional<Numero> n = LeeNumero(fila[c].texto)) {
          Revisa(worksheet_write_number(hoja_, renglon_, columna, n->valor, Formato(n->formato)));
          continue;
        }
      }
      const QString texto = SinBlancosFinales(fila[c].texto).left(kLargoTexto);
      if (!texto.isEmpty()) Revisa(worksheet_write_string(hoja_, renglon_, columna, texto.toUtf8().constData(), nullptr));
    }
    ++renglon_;
  }

  void Cierra() override {
    lxw_workbook* libro = libro_;
    libro_ = nullptr;
    const lxw_error error = workbook_close(libro);
    if (error != LXW_NO_ERROR) {
      ::unlink(temporal_.constData());
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo escribir el archivo %1 (%2)")
                                             .arg(nombre_, QString::fromUtf8(lxw_strerror(error))));
    }
    if (::rename(temporal_.constData(), QFile::encodeName(destino_).constData()) < 0) {
      const int e = errno;
      ::unlink(temporal_.constData());
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo reemplazar ") + nombre_, e);
    }
  }

  bool EsLibro() const override { return true; }

 private:
  lxw_format* Formato(const QString& formato) {
    lxw_format*& f = formatos_[formato];
    if (!f) {
      f = workbook_add_format(libro_);
      format_set_num_format(f, formato.toUtf8().constData());
    }
    return f;
  }

  void Revisa(lxw_error error) const {
    if (error == LXW_NO_ERROR) return;
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo escribir el archivo %1 (%2)")
                                           .arg(nombre_, QString::fromUtf8(lxw_strerror(error))));
  }

  void Descarta() {
    if (!libro_) return;
    lxw_workbook_free(libro_);
    libro_ = nullptr;
    ::unlink(temporal_.constData());
  }

  QString nombre_;
  QString destino_;
  QByteArray temporal_;
  lxw_workbook* libro_ = nullptr;
  lxw_worksheet* hoja_ = nullptr;
  lxw_row_t renglon_ = 0;
  QHash<QString, lxw_format*> formatos_;
};

}  // namespace

bool EsLibro(const QString& nombre) { return nombre.endsWith(kExtensionLibro, Qt::CaseInsensitive); }

QString NombreHoja(const QString& nombre, bool agregaExtension) {
  if (EsLibro(nombre)) return nombre;
  if (nombre.endsWith(kExtensionTexto, Qt::CaseInsensitive)) return nombre + (nombre.back().isUpper() ? u'X' : u'x');
  return agregaExtension ? nombre + kExtensionLibro : nombre;
}

Hoja::Hoja(const QString& nombre) {
  if (hoja::EsLibro(nombre)) salida_ = std::make_unique<SalidaLibro>(nombre);
  else salida_ = std::make_unique<SalidaTexto>(nombre);
}

Hoja::~Hoja() = default;

bool Hoja::EsLibro() const { return salida_->EsLibro(); }

void Hoja::Agrega(const Fila& fila, bool tabuladorFinal) { salida_->Agrega(fila, tabuladorFinal); }

void Hoja::Cierra() { salida_->Cierra(); }

}  // namespace hoja
