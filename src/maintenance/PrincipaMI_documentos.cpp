// The check of a kind's documents against their movement rows and the
// regeneration of the rows of the listed ones.

#include "foundation/rutinas_bitacora.h"
#include "inventory/RegistroMovimiento.h"
#include "maintenance/PrincipaMI.h"
#include "platform/db/Literales.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/ControlesDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

// The fields a kind's header and lines are read by.
struct CamposDocumento {
  QString numero, estado, fecha, cantidad;
};

const CamposDocumento& Campos(const TipoDocumentoMI& tipo) {
  static const CamposDocumento venta{QStringLiteral("CLDOC_F"), QStringLiteral("STATU_F"), QStringLiteral("FEDOC_F"),
                                     QStringLiteral("CANTI_FD")};
  static const CamposDocumento compra{QStringLiteral("CLDOC_O"), QStringLiteral("STDOC_O"), QStringLiteral("FEDOC_O"),
                                      QStringLiteral("CANTI_OD")};
  return tipo.compra ? compra : venta;
}

// A movement field copied from the document: from its header or its line.
struct Copia {
  const char* movimiento;
  bool deEncabezado;
  const char* documento;
};

const Copia kCopiasVenta[] = {{"CLPRO_MI", false, "CLPRO_FD"}, {"DESCR_MI", false, "DEPRO_FD"},
                              {"CLCOP_MI", true, "CLCLI_F"},   {"CLVEN_MI", true, "CLVEN_F"},
                              {"CANTI_MI", false, "CANTI_FD"}, {"PUNIT_MI", false, "PUNPR_FD"},
                              {"COSUN_MI", false, "COPRO_FD"}, {"CLPRV_MI", true, "CLCLI_F"}};
const Copia kCopiasCompra[] = {{"CLPRO_MI", false, "CLPRO_OD"}, {"DESCR_MI", false, "DESCR_OD"},
                               {"CLCOP_MI", true, "CLPRV_O"},   {"CANTI_MI", false, "CANTI_OD"},
                               {"PUNIT_MI", false, "CUNIT_OD"}, {"COSUN_MI", false, "CUNIT_OD"}};

const QString kMarcaCancelacion = QStringLiteral("C");

}  // namespace

void THerramientaMI::AbreTablasDocumento(const TipoDocumentoMI& tipo) {
  for (db::Tabla* tabla : {p_.TablaE, p_.TablaD, p_.TablaMI}) tabla->Close();
  const QString documentos = CarpetaOEditRuta(tipo.encabezado);
  p_.EditClave->SetCampo(Campos(tipo).numero);
  AbreTablaEn(*p_.TablaE, documentos, tipo.encabezado, tipo.tagEncabezado);
  AbreTablaEn(*p_.TablaD, documentos, tipo.partidas, tipo.tagPartidas);
  AbreTablaMI(kTablaMovimientos, QStringLiteral("NUDOC_MI"));
  p_.TablaE->First();
}

void THerramientaMI::LimitaPartidas(const QString& numero, const QString& control) {
  db::Tabla& partidas = *p_.TablaD;
  partidas.SetFiltered(false);
  partidas.SetFilter(QString());
  partidas.SetRange({numero}, {numero});
  if (control.isEmpty()) return;
  partidas.SetFilter(QStringLiteral("CONTROL=") + db::LiteralApostrofos(control));
  partidas.SetFiltered(true);
}

void THerramientaMI::LimitaMovimientos(const QString& clave) { p_.TablaMI->SetRange({clave}, {clave}); }

bool THerramientaMI::RevisaMovimientos(DocumentoMI documento) {
  const TipoDocumentoMI& tipo = TipoMI(documento);
  db::Tabla& encabezados = *p_.TablaE;
  if (encabezados.Eof()) return true;
  // Only invoices made from another document.
  if (documento != DocumentoMI::Factura || !encabezados.FieldByName(QStringLiteral("CLPED_F")).IsNull()) {
    const QString numero = p_.EditClave->text();
    const QString control = encabezados.FieldByName(QStringLiteral("CONTROL")).AsString();
    LimitaPartidas(numero, control);
    LimitaMovimientos(tipo.referencia + numero + u'-' + control);
    const qint64 partidas = p_.TablaD->RecordCount();
    const qint64 filas = p_.TablaMI->RecordCount();
    const bool cancelado = encabezados.FieldByName(Campos(tipo).estado).AsString() == kMarcaCancelacion;
    if (filas != (cancelado ? 2 * partidas : partidas))
      p_.MemoMov->appendPlainText(QStringLiteral("%1%2,%3,%4,%5%6")
                                      .arg(tipo.lista)
                                      .arg(numero, control)
                                      .arg(partidas)
                                      .arg(filas)
                                      .arg(cancelado ? QStringLiteral(",C") : QString()));
  }
  encabezados.Next();
  return false;
}

void THerramientaMI::RegeneraMovimientos(DocumentoMI documento, int indice) {
  const TipoDocumentoMI& tipo = TipoMI(documento);
  const CamposDocumento& campos = Campos(tipo);
  // letter + number, control, lines, rows [, "C"]
  const QString linea = LineaLista(indice);
  const QStringList partes = linea.mid(1).split(u',');
  const qint64 numero = partes.value(0).toLongLong();
  const QString control = partes.value(1).left(10);
  const bool cancelado = linea.endsWith(kMarcaCancelacion);
  db::Tabla& encabezados = *p_.TablaE;
  if (numero == 0 || !encabezados.FindKey({numero})) return;

  const QString texto = QString::number(numero);
  LimitaPartidas(texto, control);
  LimitaMovimientos(tipo.referencia + texto + u'-' + control);
  p_.Label3->setText(encabezados.FieldByName(campos.estado).AsString());
  const QDate fecha = encabezados.FieldByName(campos.fecha).AsDate();
  const QString referencia = tipo.referencia + encabezados.FieldByName(campos.numero).AsString();
  GeneraMovimientos(tipo.compra, control, QStringLiteral(" "), fecha, referencia, tipo.conceptoActivo);
  if (cancelado)
    GeneraMovimientos(tipo.compra, control, kMarcaCancelacion, fecha, referencia, tipo.conceptoCancelacion);
}

void THerramientaMI::GeneraMovimientosVenta(const QString& control, const QString& marca, const QDate& fecha,
                                            const QString& referencia, int concepto) {
  GeneraMovimientos(false, control, marca, fecha, referencia, concepto);
}

void THerramientaMI::GeneraMovimientosCompra(const QString& control, const QString& marca, const QDate& fecha,
                                             const QString& referencia, int concepto) {
  GeneraMovimientos(true, control, marca, fecha, referencia, concepto);
}

void THerramientaMI::GeneraMovimientos(bool compra, const QString& control, const QString& marca,
                                       const QDate& fecha, const QString& referencia, int concepto) {
  db::Tabla& encabezado = *p_.TablaE;
  db::Tabla& partidas = *p_.TablaD;
  db::Tabla& movimientos = *p_.TablaMI;
  partidas.First();
  if (marca != kMarcaCancelacion) BorraMovimientosRango();

  struct Par {
    db::Campo* destino;
    const db::Campo* origen;
  };
  QVector<Par> copias;
  const auto agrega = [&](const auto& lista) {
    for (const Copia& c : lista)
      copias.append(Par{&movimientos.FieldByName(QString::fromLatin1(c.movimiento)),
                        &(c.deEncabezado ? encabezado : partidas).FieldByName(QString::fromLatin1(c.documento))});
  };
  if (compra) agrega(kCopiasCompra);
  else agrega(kCopiasVenta);
  const db::Campo& cantidad = partidas.FieldByName(compra ? QStringLiteral("CANTI_OD") : QStringLiteral("CANTI_FD"));
  const auto campo = [&](const char* nombre) -> db::Campo& {
    return movimientos.FieldByName(QString::fromLatin1(nombre));
  };

  movimientos.SetIndexName(QStringLiteral("CLDOC_MI"));
  {
    // One new movement number for every row of the pass, taken as other
    // stations take theirs.
    const db::Numeracion numeracion(movimientos);
    movimientos.Last();
    const qint64 numero = (movimientos.IsEmpty() ? 0 : campo("CLDOC_MI").AsInteger()) + 1;
    const QDate dia = fecha.isValid() ? fecha : fs::Ahora().date();
    for (partidas.First(); !partidas.Eof(); partidas.Next()) {
      if (!compra && cantidad.AsFloat() <= 0) continue;
      movimientos.Append();
      campo("CLDOC_MI").SetAsInteger(numero);
      campo("CONTROL").SetAsString(control);
      campo("TIMOV_MI").SetAsInteger(concepto);
      campo("FEDOC_MI").SetAsDate(dia);
      campo("REFMO_MI").SetAsString(referencia);
      campo("NUDOC_MI").SetAsString(referencia + u'-' + control);
      for (const Par& par : copias) par.destino->SetValue(par.origen->Value());
      campo("NALMA_MI").SetAsInteger(1);
      campo("BANAF_MI").SetAsString(compra ? QStringLiteral("O") : QStringLiteral("F"));
      campo("EXIST_MI").SetAsInteger(0);
      campo("HORAF_F").SetAsInteger(1000);
      movimientos.Post();
    }
  }
  movimientos.SetIndexName(QStringLiteral("NUDOC_MI"));
}

void THerramientaMI::BorraMovimientosRango() {
  db::Tabla& movimientos = *p_.TablaMI;
  for (movimientos.First(); !movimientos.Eof();) {
    RegistraBorrado(movimientos);
    movimientos.Delete();
  }
}
