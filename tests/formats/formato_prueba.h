#pragma once
// Shared by the interpreter tests: a company whose configuration names the
// data folder C:\DATOS, the e-invoice folder C:\FE and the system printer
// "Tickets" (lines 8, 74, 81), a sales document
// (header FACTURAE.DBF, lines FACTURAD.DBF), the printers "laser" (a
// recording printer, 600 dpi letter: rows of 120 and columns of 63 device
// units) and "tickets" (a queue whose jobs land in a spool folder), and a
// format file written by each test.

#include "formats/CarpetaFormato.h"
#include "formats/Interprete.h"
#include "formats/PaginaPrevia.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "support/RaizPrueba.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

inline const QString kDatosFormato = QStringLiteral("C:\\DATOS");
inline const QString kArchivoFormato = QStringLiteral("C:\\VRL\\consulta\\prueba.fmt");

struct LineaDetalle {
  QString clave;
  QString descripcion;
  double cantidad;
  double precio;
};

// A text drawn on the recording printer.
struct TextoImpreso {
  int pagina;
  int x;
  int y;
  QString texto;
  bool operator==(const TextoImpreso&) const = default;
};

inline void PrintTo(const TextoImpreso& t, std::ostream* os) {
  *os << "{p" << t.pagina << " " << t.x << "," << t.y << " \"" << t.texto.toStdString() << "\"}";
}

class FormatoPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    ASSERT_TRUE(cola_.isValid());
    qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola_.path()));
    QStringList config(90);
    config[7] = kDatosFormato;
    config[73] = QStringLiteral("C:\\FE");
    config[80] = QStringLiteral("Tickets");
    EscribeLineas(QStringLiteral("c:\\VRL\\Vorlan.ini"), {"C:\\VRL", "C:\\VRL\\Gener1.cnf"});
    EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
    fs::CreaCarpeta(kDatosFormato);
    UsaImpresoras(0);
    CreaDocumento(1500.5, {{"LE01", "Leche entera", 2, 18.75}, {"QU02", "Queso", 1.5, 42.3}, {"PA03", "Pan", 3, 9.5}});
  }

  void TearDown() override {
    encabezado_.reset();
    detalle_.reset();
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    CarpetaProgramaFormato.clear();
    RaizPrueba::TearDown();
  }

  // "laser" (recording, described "Laser de Oficina") and "tickets" (a
  // queue); `predeterminada` is the default one.
  void UsaImpresoras(int predeterminada) {
    print::FijaImpresorasPrueba({{"laser", "Laser de Oficina", print::TipoImpresora::Registro, QString(), 600},
                                 {"tickets", "Tickets", print::TipoImpresora::Cola, QString(), 600}},
                                predeterminada);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  // Document 57 of JUAN PEREZ, dated 5 March 2024, with its lines.
  void CreaDocumento(double total, const std::vector<LineaDetalle>& lineas) {
    encabezado_.reset();
    detalle_.reset();
    db::Tabla::Crea(kDatosFormato, QStringLiteral("FACTURAE.DBF"),
                    {{"CLDOC_F", 'N', 8, 0}, {"NOMBR_F", 'C', 30, 0}, {"TOTAL_F", 'N', 12, 2}, {"FEDOC_F", 'D', 8, 0},
                     {"CLAVE_F", 'C', 6, 0}});
    db::Tabla::Crea(kDatosFormato, QStringLiteral("FACTURAD.DBF"),
                    {{"CLDOC_F", 'N', 8, 0}, {"CLPRO_F", 'C', 10, 0}, {"DESCR_F", 'C', 30, 0}, {"CANTI_F", 'N', 8, 2},
                     {"PRECI_F", 'N', 10, 2}});
    encabezado_ = Abre(QStringLiteral("FACTURAE.DBF"));
    encabezado_->Append();
    encabezado_->FieldByName("CLDOC_F").SetAsInteger(57);
    encabezado_->FieldByName("NOMBR_F").SetAsString(QStringLiteral("JUAN PEREZ"));
    encabezado_->FieldByName("TOTAL_F").SetAsFloat(total);
    encabezado_->FieldByName("FEDOC_F").SetAsDate(QDate(2024, 3, 5));
    encabezado_->FieldByName("CLAVE_F").SetAsString(QStringLiteral("0100"));
    encabezado_->Post();
    detalle_ = Abre(QStringLiteral("FACTURAD.DBF"));
    for (const LineaDetalle& l : lineas) {
      detalle_->Append();
      detalle_->FieldByName("CLDOC_F").SetAsInteger(57);
      detalle_->FieldByName("CLPRO_F").SetAsString(l.clave);
      detalle_->FieldByName("DESCR_F").SetAsString(l.descripcion);
      detalle_->FieldByName("CANTI_F").SetAsFloat(l.cantidad);
      detalle_->FieldByName("PRECI_F").SetAsFloat(l.precio);
      detalle_->Post();
    }
    encabezado_->First();
  }

  // The header becomes document 57 of DOCUMENT.DBF, which has the fields
  // that name a document's files: CLDOC_F, NOMBR_F and CONTROL.
  void UsaDocumentoConControl(const QString& nombre, const QString& control) {
    encabezado_.reset();
    db::Tabla::Crea(kDatosFormato, QStringLiteral("DOCUMENT.DBF"),
                    {{"CLDOC_F", 'N', 8, 0}, {"NOMBR_F", 'C', 40, 0}, {"CONTROL", 'C', 10, 0}});
    encabezado_ = Abre(QStringLiteral("DOCUMENT.DBF"));
    encabezado_->Append();
    encabezado_->FieldByName("CLDOC_F").SetAsInteger(57);
    encabezado_->FieldByName("NOMBR_F").SetAsString(nombre);
    encabezado_->FieldByName("CONTROL").SetAsString(control);
    encabezado_->Post();
  }

  // n lines "Articulo 1" .. "Articulo n", one unit at 10 each.
  void CreaDocumentoDe(int n) {
    std::vector<LineaDetalle> lineas;
    for (int i = 1; i <= n; ++i) lineas.push_back({QStringLiteral("A%1").arg(i), QStringLiteral("Articulo %1").arg(i), 1, 10});
    CreaDocumento(10.0 * n, lineas);
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& nombre) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatosFormato);
    t->SetNombreTabla(nombre);
    t->Open();
    return t;
  }

  // Writes the format file and runs it against the document.
  void Corre(const QStringList& formato, QChar modo) {
    EscribeLineas(kArchivoFormato, formato);
    EjecutaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, modo);
  }

  // Texts drawn on the recording printer, in order.
  static std::vector<TextoImpreso> Impresos() {
    std::vector<TextoImpreso> r;
    for (const print::Operacion& o : print::OperacionesGrabadas()) {
      if (o.tipo == print::Operacion::Tipo::Texto) r.push_back({o.pagina, o.punto.x(), o.punto.y(), o.texto});
    }
    return r;
  }

  // The kinds of the recorded job operations (Comienza, Pagina, Termina, Aborta).
  static std::vector<print::Operacion::Tipo> Trabajo() {
    std::vector<print::Operacion::Tipo> r;
    for (const print::Operacion& o : print::OperacionesGrabadas()) {
      if (o.tipo == print::Operacion::Tipo::Comienza || o.tipo == print::Operacion::Tipo::Pagina ||
          o.tipo == print::Operacion::Tipo::Termina || o.tipo == print::Operacion::Tipo::Aborta) {
        r.push_back(o.tipo);
      }
    }
    return r;
  }

  // Texts of the preview page file by page: page -> texts in file order.
  static std::map<int, QStringList> PaginasPrevia() {
    std::map<int, QStringList> r;
    for (const TElementoPagina& e : LeeElementosPagina()) r[e.NumeroPagina] << e.Texto;
    return r;
  }

  // The jobs that reached the "tickets" queue, as text lines.
  QList<QStringList> TrabajosDeTexto() const {
    QList<QStringList> r;
    const QDir dir(cola_.path());
    for (const QString& nombre : dir.entryList(QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(nombre));
      if (!f.open(QIODevice::ReadOnly)) continue;
      QByteArray bytes = f.readAll();
      QStringList lineas = fs::DeCp1252(bytes).split(QStringLiteral("\r\n"));
      if (lineas.last().isEmpty()) lineas.removeLast();
      r << lineas;
    }
    return r;
  }

  std::unique_ptr<db::Tabla> encabezado_;
  std::unique_ptr<db::Tabla> detalle_;
  QTemporaryDir cola_;
};
