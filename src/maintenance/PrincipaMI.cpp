#include "maintenance/PrincipaMI.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString kTablaMI = QStringLiteral("MI.dbf");
const QString kColumnasMI = QStringLiteral(
    "(CLAVE CHAR(20),ANTERIOR NUMERIC(10,3),REALES NUMERIC(10,3),ACTUAL NUMERIC(10,3),OTRO CHAR(1),"
    "PRIMARY KEY(CLAVE))");
// The step after which the list of discrepancies is regenerated from its
// first line; the checks never move past it.
constexpr int kEstadoInicioLista = -3;
// The list that stops the checks of the remaining kinds.
constexpr int kLineasListaLlena = 100;
constexpr int kMovimientosPorPaso = 20;
constexpr int kPasoProgreso = 50;

// The second pass of a cancelled document writes what the screens write
// when they cancel one: 54 (stock put back by a cancelled sale) for
// remissions and invoices, 3 for customer returns. The recounts and the
// inventory cut know 54 as the undoing of a sale and leave it out; a row
// of 53 would count as one more entry.
const TipoDocumentoMI kTipos[] = {
    {DocumentoMI::Remision, u'R', QStringLiteral("Remision.dbf"), QStringLiteral("RemisioD.dbf"),
     QStringLiteral("INUMENC"), QStringLiteral("CLDOC_FD"), false, u'R', ConceptoVentaRemision,
     ConceptoCancelacionVenta},
    {DocumentoMI::Factura, u'F', QStringLiteral("FacturaE.dbf"), QStringLiteral("FacturaD.dbf"),
     QStringLiteral("INUMENC"), QStringLiteral("CLDOC_FD"), false, u'F', ConceptoVentaRemision,
     ConceptoCancelacionVenta},
    {DocumentoMI::Devolucion, u'D', QStringLiteral("Devoluc.dbf"), QStringLiteral("DevolucD.dbf"),
     QStringLiteral("INUMENC"), QStringLiteral("CLDOC_FD"), false, u'D', ConceptoDevolucionCliente,
     ConceptoVentaRemision},
    {DocumentoMI::Compra, u'O', QStringLiteral("ComprasE.dbf"), QStringLiteral("ComprasD.dbf"),
     QStringLiteral("ICOMENC"), QStringLiteral("ICOMDET"), true, u'O', ConceptoCompra,
     ConceptoDevolucionProveedor},
    {DocumentoMI::DevolucionCompra, u'E', QStringLiteral("DevolCom.dbf"), QStringLiteral("DevolDet.dbf"),
     QStringLiteral("ICOMENC"), QStringLiteral("ICOMDET"), true, u'P', ConceptoDevolucionProveedor,
     ConceptoDevolucionCliente},
};

// A quantity of MI.dbf (three decimals) in thousandths, so that equal
// values compare equal and a difference of zero is zero.
qint64 Milesimas(const db::Campo& campo) { return std::llround(campo.AsFloat() * 1000); }

}  // namespace

const TipoDocumentoMI& TipoMI(DocumentoMI documento) { return kTipos[static_cast<int>(documento)]; }

const TipoDocumentoMI* TipoMIDeLista(QChar letra) {
  for (const TipoDocumentoMI& tipo : kTipos)
    if (tipo.lista == letra) return &tipo;
  return nullptr;
}

qint64 CuentaRegistrosArchivo(const db::Tabla& tabla) {
  qint64 registro = 1;  // the deletion mark
  for (const db::DefCampo& campo : tabla.Definiciones()) registro += campo.ancho;
  return QFileInfo(tabla.Ruta()).size() / registro;
}

THerramientaMI::THerramientaMI(TFormaPrincipal& principal) : QObject(&principal), p_(principal) {
  setObjectName(QStringLiteral("HerramientaMI"));
  ui::Conecta(p_.BotonMI, &QPushButton::clicked, this, [this] { BotonMIClick(); });
  ui::Conecta(p_.BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(p_.TimerMI, &QTimer::timeout, this, [this] { TimerMITimer(); });
}

// The data source that may show MI.dbf follows it by a guarded pointer.
THerramientaMI::~THerramientaMI() = default;

void THerramientaMI::Reinicia() {
  estado_ = -8;
  abiertas_.fill(false);
}

void THerramientaMI::BotonMIClick() {
  p_.TimerHora->stop();
  PreparaTablaMI();
  estimado_ = p_.TablaMI->RecordCount() - 1;
  p_.TablaMI->First();
  contador_ = 0;
  Reinicia();
  p_.TimerMI->start();
}

void THerramientaMI::BitBtn1Click() {
  Reinicia();
  p_.TimerMI->start();
}

void THerramientaMI::TimerMITimer() {
  // No step runs from the timer: the tool is not offered (see the header).
}

void THerramientaMI::Paso() {
  // The timer stays off while a step works; a step that fails leaves it off.
  const bool activo = p_.TimerMI->isActive();
  p_.TimerMI->stop();
  detenido_ = false;
  if (estado_ <= -4) {
    PasoRevision(estado_ + 8);
  } else {
    switch (estado_) {
      case -3:
        letraActual_ = QChar();
        indiceLista_ = 0;
        estado_ = -2;
        break;
      case -2: PasoRegeneracion(); break;
      case -1: estado_ = 0; break;
      case 0:
        for (db::Tabla* tabla : {p_.TablaE, p_.TablaD, p_.TablaMI}) tabla->Close();
        PreparaTablaMI();
        estado_ = 1;
        break;
      case 1:
        AbreTablaMI(kTablaProductos, kTagClaveProducto);
        MI().First();
        estado_ = 2;
        break;
      case 2: PasoProductos(); break;
      case 3:
        AbreTablaMI(kTablaMovimientos, QString());
        estado_ = 4;
        break;
      case 4: PasoMovimientos(); break;
      case 5:
        p_.Label4->setText(QStringLiteral("%1 %2%3").arg(contador_).arg(estimado_).arg(estado_));
        p_.DataSource1->SetDataSet(&MI());
        AbreTablaMI(kTablaProductos, kTagClaveProducto);
        MI().First();
        estado_ = 6;
        break;
      case 6: PasoActuales(); break;
      case 7:
        MI().First();
        contador_ = 0;
        estado_ = 8;
        break;
      case 8: PasoAjuste(); break;
    }
  }
  p_.Label5->setText(QString::number(estado_));
  if (activo && !detenido_) p_.TimerMI->start();
}

void THerramientaMI::PasoRevision(int indiceTipo) {
  // The kinds are checked in the order DocumentoMI names them.
  const TipoDocumentoMI& tipo = TipoMI(static_cast<DocumentoMI>(indiceTipo));
  if (!abiertas_[indiceTipo]) {
    if (indiceTipo == 0) {
      p_.Label4->setText(QStringLiteral("_"));
      p_.MemoMov->clear();
    }
    AbreTablasDocumento(tipo);
    p_.TimerHora->stop();
    abiertas_[indiceTipo] = true;
  }
  int siguiente = estado_;
  if (RevisaMovimientos(tipo.documento)) ++siguiente;
  if (LineasLista() > kLineasListaLlena) ++siguiente;
  estado_ = std::min(siguiente, kEstadoInicioLista);
}

void THerramientaMI::PasoRegeneracion() {
  if (indiceLista_ >= LineasLista()) {
    p_.Label3->setText(QStringLiteral("Procesando..."));
    abiertas_.fill(false);
    estado_ = -1;
    return;
  }
  const QString linea = LineaLista(indiceLista_);
  if (const TipoDocumentoMI* tipo = TipoMIDeLista(linea.isEmpty() ? QChar() : linea.front())) {
    if (tipo->lista != letraActual_) {
      AbreTablasDocumento(*tipo);
      letraActual_ = tipo->lista;
    }
    RegeneraMovimientos(tipo->documento, indiceLista_);
  }
  ++indiceLista_;
}

void THerramientaMI::PasoProductos() {
  db::Tabla& productos = *p_.TablaMI;
  if (productos.Eof()) {
    estado_ = 3;
    return;
  }
  db::Tabla& mi = MI();
  const QString clave = productos.FieldByName(QStringLiteral("CLPRO_I")).AsString();
  if (!mi.FindKey({clave})) {
    mi.Append();
    mi.FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    mi.FieldByName(QStringLiteral("ANTERIOR")).SetAsFloat(productos.FieldByName(QStringLiteral("EXIST_I")).AsFloat());
    mi.Post();
  }
  productos.Next();
}

void THerramientaMI::PasoMovimientos() {
  db::Tabla& movimientos = *p_.TablaMI;
  db::Tabla& mi = MI();
  db::Campo& reales = mi.FieldByName(QStringLiteral("REALES"));
  for (int n = 0; n < kMovimientosPorPaso && !movimientos.Eof(); ++n) {
    const QString clave = movimientos.FieldByName(QStringLiteral("CLPRO_MI")).AsString();
    const qint64 concepto = movimientos.FieldByName(QStringLiteral("TIMOV_MI")).AsInteger();
    const double cantidad = movimientos.FieldByName(QStringLiteral("CANTI_MI")).AsFloat();
    if (mi.FindKey({clave})) {
      mi.Edit();
    } else {
      mi.Append();
      mi.FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
    }
    if (concepto > 0) reales.SetAsFloat(reales.AsFloat() + SignoConcepto(static_cast<int>(concepto)) * cantidad);
    mi.Post();
    if (concepto <= 0) {
      RegistraBorrado(movimientos);
      movimientos.Delete();
    } else {
      movimientos.Next();
    }
    ++contador_;
    p_.Label4->setText(QString::number(contador_));
    if (contador_ % kPasoProgreso == 0 && estimado_ > 0)
      p_.Progreso->setValue(static_cast<int>(std::clamp<qint64>(100 * contador_ / estimado_, 0, 100)));
  }
  if (movimientos.Eof()) estado_ = 5;
}

void THerramientaMI::PasoActuales() {
  db::Tabla& mi = MI();
  if (mi.Eof()) {
    estado_ = 7;
    return;
  }
  db::Tabla& productos = *p_.TablaMI;
  if (productos.FindKey({mi.FieldByName(QStringLiteral("CLAVE")).AsString()})) {
    mi.Edit();
    mi.FieldByName(QStringLiteral("ACTUAL")).SetAsFloat(productos.FieldByName(QStringLiteral("EXIST_I")).AsFloat());
    mi.Post();
  }
  mi.Next();
}

void THerramientaMI::PasoAjuste() {
  db::Tabla& mi = MI();
  if (mi.Eof()) {
    Termina();
    return;
  }
  db::Tabla& productos = *p_.TablaMI;
  const QString clave = mi.FieldByName(QStringLiteral("CLAVE")).AsString();
  const qint64 actual = Milesimas(mi.FieldByName(QStringLiteral("ACTUAL")));
  const qint64 diferencia = Milesimas(mi.FieldByName(QStringLiteral("REALES"))) - actual;
  // Only a product whose stock did not move while the recount ran.
  if (diferencia != 0 && actual == Milesimas(mi.FieldByName(QStringLiteral("ANTERIOR")))) {
    try {
      if (productos.FindKey({clave})) {
        productos.Edit();
        db::Campo& existencia = productos.FieldByName(QStringLiteral("EXIST_I"));
        existencia.SetAsFloat(existencia.AsFloat() + diferencia / 1000.0);
        productos.Post();
        ++contador_;
        p_.Label4->setText(p_.Label4->text() + u',' + clave + u',' + existencia.AsString() + u',' +
                           mi.FieldByName(QStringLiteral("REALES")).AsString());
      }
    } catch (const std::exception&) {
      // Held by another station, or a stock that does not fit: the product
      // keeps its stock.
      if (productos.State() != db::Dataset::Estado::Navegando) productos.Cancel();
    }
  }
  mi.Next();
}

void THerramientaMI::Termina() {
  p_.TimerMI->stop();
  detenido_ = true;
  estado_ = -7;
  p_.TimerHora->start();
  p_.Progreso->setValue(100);
  p_.Label4->setText(p_.Label4->text() + QStringLiteral(" %1  Actualizados").arg(contador_));
  SueltaMI();
}

void THerramientaMI::PreparaTablaMI() {
  SueltaMI();
  QString programa;
  CarpetaLocal(programa);
  if (db::Tabla::Existe(programa, kTablaMI)) db::Tabla::Borra(programa, kTablaMI);
  const QString indice = fs::Une(programa, QStringLiteral("MI.mdx"));
  if (fs::ExisteArchivo(indice)) fs::BorraArchivo(indice);
  p_.TablaSQLM_P->Close();
  p_.TablaSQLM_P->SetSQL(QStringLiteral("CREATE TABLE ") + db::LiteralComillas(fs::Une(programa, kTablaMI)) +
                         kColumnasMI);
  p_.TablaSQLM_P->ExecSQL();
  auto mi = std::make_unique<db::Tabla>();
  mi->SetCarpeta(programa);
  mi->SetNombreTabla(kTablaMI);
  mi->SetIndexName(QStringLiteral("CLAVE"));
  mi->Open();
  mi_ = std::move(mi);
  AbreTablaMI(kTablaMovimientos, QString());
  estimado_ = CuentaRegistrosArchivo(*p_.TablaMI);
  contador_ = 0;
}

db::Tabla& THerramientaMI::MI() const {
  if (!mi_) throw plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no está abierta").arg(kTablaMI));
  return *mi_;
}

void THerramientaMI::SueltaMI() {
  if (mi_ && p_.DataSource1->DataSet() == mi_.get()) p_.DataSource1->SetDataSet(nullptr);
  mi_.reset();
}

void THerramientaMI::AbreTablaMI(const QString& archivo, const QString& tag) {
  AbreTablaEn(*p_.TablaMI, CarpetaOEditRuta(archivo), archivo, tag);
}

void THerramientaMI::AbreTablaEn(db::Tabla& tabla, const QString& carpeta, const QString& archivo,
                                 const QString& tag) {
  tabla.Close();
  tabla.SetFiltered(false);
  tabla.SetFilter(QString());
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(archivo);
  tabla.SetIndexName(tag);
  tabla.Open();
}

QString THerramientaMI::CarpetaOEditRuta(const QString& archivo) const {
  // A table the company keeps apart from its data folder is read where it
  // lives; the others in the folder typed.
  const db::Carpetas empresa = CarpetasEmpresa();
  const QString propia = empresa.De(LugarDeTabla(archivo));
  return propia.isEmpty() || propia == empresa.datos ? p_.EditRuta->text() : propia;
}

int THerramientaMI::LineasLista() const {
  const QTextDocument* lista = p_.MemoMov->document();
  return lista->isEmpty() ? 0 : lista->blockCount();
}

QString THerramientaMI::LineaLista(int indice) const {
  return p_.MemoMov->document()->findBlockByNumber(indice).text();
}

THerramientaMI* UneHerramientaMI(TFormaPrincipal& principal) { return new THerramientaMI(principal); }

THerramientaMI* HerramientaMI(const TFormaPrincipal& principal) {
  return principal.findChild<THerramientaMI*>(QString(), Qt::FindDirectChildrenOnly);
}
