// The movement window's imports: a TAB-separated text file laid out by
// CamposMI.dat, the transfer file Movimientos.mov another store's sale
// screen exports, the rows of the import dialog laid out by
// importa_fact.cnf, and the data collector's totals posted as documents.
//
// Each reads and checks its whole input first: a value a capture field does
// not take stops the import, naming the file and the line, before a
// document is started or a line added.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/Colector.h"
#include "inventory/ConsultasExternas.h"
#include "inventory/Importa.h"
#include "inventory/PosteoMovimiento.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/db/Valores.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/ui/RejillaTexto.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <vector>

namespace {

const QString kCamposImporta = QStringLiteral("CamposMI.dat");
const QString kArchivoTransferencia = QStringLiteral("Movimientos.mov");
const QString kCarpetaExporta = QStringLiteral("Exporta.cnf");
const QString kCamposDatos = QStringLiteral("importa_fact.cnf");
const QString kQueCaptura = QStringLiteral("la captura de movimientos");
const QString kNoExisteMovimiento = QStringLiteral("No Existe ningun Movimiento...");
const QString kProcesoTerminado = QStringLiteral("Proceso terminado...");
const QString kReferenciaColector = QStringLiteral("Colector");
// CamposMI.dat: at most this many names of at most this many characters.
constexpr int kMaxCamposImporta = 10;
constexpr int kLargoCampoImporta = 25;

bool Escribiendo(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

}  // namespace

void TFormaMovimientosInventario::AplicaReglasLinea(std::initializer_list<int> columnas) {
  for (const int columna : columnas) Detalle->SetSelectedIndex(columna);
  if (Escribiendo(*TablaDeta)) TablaDeta->Post();
}

// --- Importar Archivo Texto.

void TFormaMovimientosInventario::LeerArchivoTexto1Click() {
  if (Capturando()) return;
  ui::DialogoArchivo AbrirDelimitado(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbrirDelimitado"));
  AbrirDelimitado.InitialDir = carpetaPrograma_;
  if (!AbrirDelimitado.Execute()) return;

  // The names of the first line of CamposMI.dat; none: nothing to do.
  const QString mapa = fs::Une(carpetaPrograma_, kCamposImporta);
  if (!fs::ExisteArchivo(mapa)) return;
  QStringList nombres;
  for (const QString& nombre : fs::LeeLineasCp1252OUtf8(mapa).value(0).split(u',')) {
    if (nombres.size() == kMaxCamposImporta) break;
    const QString n = nombre.trimmed().left(kLargoCampoImporta);
    if (!n.isEmpty()) nombres << n;
  }
  if (nombres.isEmpty()) return;
  const QString archivo = AbrirDelimitado.FileName;
  if (!fs::ExisteArchivo(archivo)) return;
  const auto campos = CamposDeMapa(*TablaDeta, nombres, kCamposImporta, kQueCaptura);
  if (!campos) return;

  const QStringList lineas = fs::LeeLineasCp1252OUtf8(archivo);
  for (int i = 0; i < lineas.size(); ++i) {
    const QStringList valores = lineas[i].split(u'\t');
    for (int n = 0; n < valores.size() && n < nombres.size(); ++n)
      if (!(*campos)[n]->AceptaTexto(valores[n])) {
        MuestraMensaje(LineaImportaMala(archivo, i + 1, ValorImportaMalo(valores[n], nombres[n])));
        return;
      }
  }

  BotonNuevoClick();
  if (!Capturando()) return;
  // Every line, an empty one too; values beyond the last name are left out.
  for (const QString& linea : lineas) {
    Detalle->SetSelectedIndex(ColCantidad);
    TablaDeta->Append();
    const QStringList valores = linea.split(u'\t');
    for (int n = 0; n < valores.size() && n < nombres.size(); ++n) (*campos)[n]->SetAsString(valores[n]);
    AplicaReglasLinea({ColCantidad, ColEmpaque, ColClave, ColDescripcion});
  }
}

// --- Importar Archivo.

void TFormaMovimientosInventario::ImportarArchivo1Click() {
  const PreguntaCarpeta& pregunta = PreguntaCarpetaCaja();
  if (Capturando() || !pregunta) return;
  QString carpeta;
  const QString exporta = fs::Une(carpetaPrograma_, kCarpetaExporta);
  if (fs::ExisteArchivo(exporta)) carpeta = fs::LeeLineasCp1252OUtf8(exporta).value(0);
  if (!pregunta(carpeta)) return;
  ImportaArchivoMovimientos(carpeta);
}

bool TFormaMovimientosInventario::ImportaArchivoMovimientos(const QString& carpeta) {
  const QString archivo = fs::Une(carpeta.trimmed(), kArchivoTransferencia);
  if (!fs::ExisteArchivo(archivo)) {
    MuestraMensaje(kNoExisteMovimiento);
    return false;
  }

  // Each line: the sale's number, the product key, the quantity and the
  // sale's concept (1 invoice, 3 remission); blank lines say nothing.
  struct Renglon {
    QString clave, cantidad;
  };
  std::vector<Renglon> renglones;
  std::optional<qint64> conceptoVenta;
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(archivo);
  for (int i = 0; i < lineas.size(); ++i) {
    if (lineas[i].trimmed().isEmpty()) continue;
    const QStringList items = lineas[i].split(u',');
    QString error;
    if (items.size() < 4)
      error = QStringLiteral("no tiene sus cuatro datos (documento, clave, cantidad y tipo)");
    else if (!db::RealDeTexto(items[2]))
      error = QStringLiteral("la cantidad \"%1\" no es un número").arg(items[2]);
    else if (!conceptoVenta && !(conceptoVenta = db::EnteroDeTexto(items[3])))
      error = QStringLiteral("el tipo de movimiento \"%1\" no es un número").arg(items[3]);
    if (!error.isEmpty()) {
      MuestraMensaje(LineaImportaMala(archivo, i + 1, error));
      return false;
    }
    renglones.push_back({items[1].trimmed(), items[2].trimmed()});
  }
  if (renglones.empty()) {
    MuestraMensaje(QStringLiteral("El archivo %1 no tiene movimientos").arg(archivo));
    return false;
  }

  BotonNuevoClick();
  if (!Capturando()) return false;
  for (const Renglon& r : renglones) {
    Detalle->SetSelectedIndex(ColCantidad);
    TablaDeta->Append();
    TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(r.clave);
    TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsString(r.cantidad);
    AplicaReglasLinea({ColClave});
  }
  // The sale's exit comes in as its entry: 1 as 51, 3 as 53.
  const qint64 concepto = *conceptoVenta + 50;
  if (concepto > 0 && Escribiendo(*Tablamovinve)) {
    Tablamovinve->FieldByName(QStringLiteral("TIMOV_MI")).SetAsInteger(concepto);
    EditTIMOV_MIChange();
  }
  // A document that was not saved keeps its file, to be imported again.
  if (!GuardaMovimiento()) return false;
  if (!fs::BorraArchivo(archivo))
    MuestraMensaje(QStringLiteral("El movimiento se guardó, pero no se pudo borrar %1: bórrelo antes de volver a "
                                  "importar")
                       .arg(archivo));
  return true;
}

// --- Importar Datos.

void TFormaMovimientosInventario::ImportarDatos1Click() {
  // The lines join the document being captured: while browsing they would
  // be lost at the next "Nuevo".
  if (!Capturando()) return;
  bool numero = false;
  const int usuario = Usuario->text().toInt(&numero);
  if (!TieneDerecho(numero ? usuario : -1, DerechoAltaFacturacion)) return;

  TFormaImportaArchivo dialogo(this);
  const QString mapa = fs::Une(carpetaPrograma_, kCamposDatos);
  if (fs::ExisteArchivo(mapa)) dialogo.MemoConfigurar->setPlainText(fs::LeeLineasCp1252OUtf8(mapa).join(u'\n'));
  dialogo.Usuario->setText(Usuario->text());
  // The products are looked up where the window keeps them.
  dialogo.LabelRuta->setText(TablaInventario->Carpeta());
  dialogo.SetTag(0);
  dialogo.ShowModal();
  if (dialogo.Tag() != kImportaAceptado) return;

  const auto leidas = LeeFilasImporta(dialogo, *TablaDeta, kCamposDatos, kQueCaptura);
  if (!leidas) return;

  if (Escribiendo(*TablaDeta)) TablaDeta->Post();
  for (const int fila : leidas->filas) {
    Detalle->SetSelectedIndex(ColCantidad);
    TablaDeta->Append();
    EscribeFilaImporta(dialogo, *leidas, fila);
    TablaDeta->Post();
    AplicaReglasLinea({ColEmpaque, ColClave, ColDescripcion, ColCosto});
  }
}

// --- Colector.

void TFormaMovimientosInventario::Colector1Click() {
  if (Capturando()) return;
  TFormaColector colector(this);
  colector.LabelRuta->setText(TablaInventario->Carpeta());
  colector.TablaInventario->SetCarpeta(TablaInventario->Carpeta());
  colector.TablaInventario->SetNombreTabla(TablaInventario->NombreTabla());
  colector.TablaInventario->SetIndexName(kTagClaveProducto);
  colector.SetTag(0);
  colector.ShowModal();

  if (colector.Tag() == kColectorAceptado && !colector.ListaOrdenada.isEmpty()) {
    const ui::RejillaTexto& g = *colector.StringGridColector;
    const int conceptoCaja = colector.EditTipo->text().trimmed().toInt();
    const bool ajuste = colector.CheckAjuste->isChecked();
    const int porDocumento = std::max(colector.PartidasMI->value(), 1);
    std::vector<PartidaDocumentoMovimiento> partidas;
    for (int r = 1; r <= colector.ListaOrdenada.size(); ++r) {
      PartidaDocumentoMovimiento p;
      p.concepto = conceptoCaja;
      double cantidad = db::RealDeTexto(g.Cells(ColColectorTotal, r)).value_or(0);
      if (ajuste) {
        // The difference between what was counted and the stock decides.
        const double diferencia = db::RealDeTexto(g.Cells(ColColectorDiferencia, r)).value_or(0);
        cantidad = diferencia < 0 ? -diferencia : diferencia;
        if (diferencia > 0) p.concepto = ConceptoAjusteEntrada;
        else if (diferencia < 0) p.concepto = ConceptoAjusteSalida;
      }
      p.documento = (r - 1) / porDocumento;
      p.partida.CLAVE = g.Cells(ColColectorClave, r);
      p.partida.DESCRIPCION = g.Cells(ColColectorDescripcion, r);
      p.partida.CANTIDAD = cantidad;
      partidas.push_back(p);
    }
    EncabezadoMovimiento comun;
    comun.fecha = fs::Hoy();
    comun.referencia = kReferenciaColector;
    comun.almacen = NoAlmacen->value();
    comun.usuario = Usuario->text();
    comun.sinNegativos = existenciasNegativas_ == u'N';
    if (EjecutaGuardado(GuardadoMovimiento::Documentos(comun, partidas), false, false)) MuestraMensaje(kProcesoTerminado);
  }
  if (Tablamovinve->Active()) BotonultimoClick();
}
