// The purchase window's life: showing, the first activation with the claim
// of the capture table, the command states, New, abandoning an edit,
// closing, moving between documents, the quick search and the keys; and
// the small routines the handlers share.

#include "customers/Consultas.h"
#include "foundation/Glyps.h"
#include "foundation/buscar.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/TablaCaptura.h"
#include "purchasing/Compras.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Moneda.h"
#include "shell/Principa.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kMascaraSaldo = QStringLiteral("###,##0.00");

void Permite(QAction* accion, bool habilitada) {
  accion->setEnabled(habilitada && !accion->property("pendiente").toBool());
}

// The class library's application message box: text, caption and icon,
// through the modal gate.
void CajaMensaje(const QString& texto, const QString& titulo) {
  ui::PuertaModal::RegistraMensaje(texto);
  QMessageBox caja(QMessageBox::Question, titulo, QString(texto).replace(u'\r', u'\n'), QMessageBox::Ok);
  caja.setObjectName(QStringLiteral("MessageBox"));
  ui::PuertaModal::EjecutaDialogo(caja, QStringLiteral("MessageBox"));
}

}  // namespace

// --- Support routines.

void TFormaCompras::HabilitaBotonesCompra(bool cambios, bool nuevo, bool guardar, bool cancelaMovimiento,
                                          bool navegador, bool imprimir, bool buscar) {
  BotonCambios->setEnabled(cambios);
  Permite(Modificar1, cambios);
  BotonNuevo->setEnabled(nuevo);
  for (QAction* a : {Nuevo1, Eliminar1, Cancelar1}) Permite(a, nuevo);
  BotonGuardar->setEnabled(guardar);
  Permite(Guardar1, guardar);
  Permite(CancelaMovimiento1, cancelaMovimiento);
  Permite(CancelaMovimiento1, guardar);
  BotonBuscar->setEnabled(buscar);
  BotonImprimir->setEnabled(imprimir);
  Navegador->setEnabled(navegador);
  for (QAction* a : {Reportes1->menuAction(), Genera1->menuAction(), Buscar1}) Permite(a, !guardar);
  BotonPagos->setEnabled(!guardar);
  TipoDocumento->setEnabled(!guardar);
  Permite(CompraSugerida1, false);
}

void TFormaCompras::MuestraEstadoCompra() {
  const QString estado = HayEncabezado() ? TablaComprasE->FieldByName(QStringLiteral("STDOC_O")).AsString() : QString();
  const bool cancelada = estado == QStringLiteral("C");
  Estado->setText(estado.isEmpty() ? QStringLiteral("Activa")
                  : estado == QStringLiteral("G") ? QStringLiteral("Pagada")
                  : cancelada ? QStringLiteral("Cancelada")
                              : QString());
  if (cancelada) HabilitaBotonesCompra(false, true, false, true, true, true, true);
  else HabilitaBotonesCompra(true, true, false, false, true, true, true);
  const double saldo = HayEncabezado() ? TablaComprasE->FieldByName(QStringLiteral("SALDO_O")).AsFloat() : 0;
  LabelSaldo->setText(QStringLiteral("Saldo ") + FormatoMascara(kMascaraSaldo, saldo));
}

void TFormaCompras::NavegaConTeclas(int tecla) {
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) focusNextPrevChild(true);
  else if (tecla == Qt::Key_Up) focusNextPrevChild(false);
}

void TFormaCompras::AplicaVistaClasicaCompras() { AplicaVistaClasica(*this); }

void TFormaCompras::CargaColumnasDetalle() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\etiqcd.dat"));
  if (!fs::ExisteArchivo(ruta)) return;
  const QStringList lineas = fs::LeeLineas(ruta);
  for (int i = 0; i + 3 < lineas.size(); i += 4) {
    bool bien = false;
    const int columna = lineas[i].trimmed().toInt(&bien);
    if (!bien) throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(lineas[i]));
    const int ancho = lineas[i + 3].trimmed().toInt(&bien);
    if (!bien) throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(lineas[i + 3]));
    if (columna < 0 || columna >= Detalle->Columnas())
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("Índice de columna fuera de rango (%1)").arg(columna));
    Detalle->SetCampoColumna(columna, lineas[i + 1].trimmed());
    Detalle->SetTituloColumna(columna, lineas[i + 2]);
    Detalle->SetAnchoColumna(columna, ancho);
  }
}

void TFormaCompras::BloqueaDescuentosCompra(bool bloquea) {
  for (int i = 0; i < Detalle->Columnas(); ++i)
    if (Detalle->Columna(i).campo.toUpper().startsWith(QStringLiteral("DESCU"))) Detalle->SetColumnaSoloLectura(i, bloquea);
  EditDTOTA_O->setReadOnly(bloquea);
  EditDFINT_O->setReadOnly(bloquea);
}

void TFormaCompras::CargaMonedasCompra() {
  const QString ruta = fs::Une(RutaDatosCompras, kArchivoMonedas);
  try {
    if (RutaDatosCompras.isEmpty() || !fs::ExisteArchivo(ruta)) return;
    const QVector<TRegistroMoneda> monedas = RegistrosMoneda(fs::LeeBytes(ruta));
    EditDIVIS_O->clear();
    for (const TRegistroMoneda& m : monedas) EditDIVIS_O->addItem(m.Campos[0]);
    if (EditDIVIS_O->count() > 0) EditDIVIS_O->setCurrentIndex(0);
  } catch (const plat::Error&) {
  }
}

void TFormaCompras::MuestraProveedorCompra() {
  if (!TablaProveedor->Active()) return;
  TablaProveedor->SetIndexName(QStringLiteral("ICLAPRO"));
  if (!TablaProveedor->FindKey({EditCLPRV_O->text()})) return;
  Nombre->setText(TablaProveedor->FieldByName(QStringLiteral("NOMBR_P")).AsString());
  Direccion->setText(TablaProveedor->FieldByName(QStringLiteral("DIREC_P")).AsString());
  Poblacion->setText(TablaProveedor->FieldByName(QStringLiteral("POBLA_P")).AsString());
  DiasCreditoProveedor = static_cast<int>(TablaProveedor->FieldByName(QStringLiteral("DCRED_P")).AsInteger());
  MargenProveedorCompra = TablaProveedor->FieldByName(QStringLiteral("POUTI_P")).AsFloat();
}

void TFormaCompras::HabilitaEncabezadoCompra() {
  Caja->setEnabled(true);
  Detalle->SetSoloLectura(false);
}

void TFormaCompras::BloqueaEncabezadoCompra() {
  Caja->setEnabled(false);
  Detalle->SetSoloLectura(true);
}

QString TFormaCompras::ValidaTipoDocumento(const QString& texto) const {
  return TipoDocumento->findText(texto, Qt::MatchExactly) >= 0 ? texto : TextoTipoCompra;
}

void TFormaCompras::GuardaOpcionesEmpaque() {
  Detalle->SetColumnaVisible(7, false);
  const auto marca = [](const QAction* a) { return a->isChecked() ? QStringLiteral("S") : QStringLiteral("N"); };
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\empa_com.cnf")), {marca(QuitarEmpaque1), marca(QuitarEmpaques1)});
  if (QuitarEmpaques1->isChecked()) Detalle->SetColumnaVisible(1, false);
}

bool TFormaCompras::CarpetaNoDisponible(const QString& carpeta) { return !fs::ExisteCarpeta(carpeta); }

bool TFormaCompras::ContieneGuion(const QString& texto) { return texto.contains(u'-'); }

void TFormaCompras::PintaEncabezado(bool editando) { PintaFondo(Panel2, editando ? ui::clRed : ui::clSilver); }

// --- The window's life.

void TFormaCompras::FormShow() {
  setWindowState(windowState() | Qt::WindowMaximized);
  try {
    const QString formula = CarpetaPrograma(QStringLiteral("\\Formula_Costos.dat"));
    if (fs::ExisteArchivo(formula)) MemoFormula->setPlainText(fs::LeeLineas(formula).join(u'\n'));
  } catch (const std::exception&) {
  }
  if (Tag() == 0) RutaDatosCompras = LineaConf(ConfCarpetaDatos);
  LeeImpuestoCompras();
  LeeFoliosCompra();
  MovimientosCompra = TextoTipoCompra == kRecepcion                             ? u'N'
                      : LineaConf(ConfIntegraMovimientos) == QStringLiteral("SI") ? u'S'
                                                                                  : u'N';
  CarpetaLocal(CarpetaLocalCompras);
  SinConexionCompras = false;
  Reportes1->menuAction()->setVisible(TieneDerechoSinAviso(NumeroUsuario(), DerechoReportesCompras));
  if (!EnAlta() && !EnCambio()) PintaEncabezado(false);
  // Captions of the program folder's own: pairs of lines, old and new.
  try {
    const QString etiquetas = CarpetaPrograma(QStringLiteral("\\etiqc.dat"));
    if (fs::ExisteArchivo(etiquetas)) {
      const QStringList pares = fs::LeeLineas(etiquetas);
      const auto todas = findChildren<QLabel*>();
      for (int i = 0; i + 1 < pares.size(); i += 2)
        for (QLabel* l : todas)
          if (l->text() == pares[i]) l->setText(pares[i + 1]);
    }
  } catch (const plat::Error&) {
  }
  CargaColumnasDetalle();
}

bool TFormaCompras::ReclamaCaptura() {
  if (reclamada_) return true;
  const QString programa = CarpetaPrograma(QString());
  if (fdReclamo_ < 0) {
    const QString ruta = fs::Local(fs::Une(programa, kReclamoCompras));
    fdReclamo_ = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fdReclamo_ < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
  }
  // A missing capture table is no sign of another copy: the lock alone
  // decides, and the open of the tables logs the missing file.
  reclamada_ = db::Tabla::Existe(programa, kTablaCapturaCompra)
                   ? ReclamaTablaPrograma(fdReclamo_, 1, programa, kTablaCapturaCompra, QString(), false)
                   : db::IntentaBloqueo(fdReclamo_, 1, db::TipoBloqueo::Exclusivo);
  return reclamada_;
}

void TFormaCompras::FormActivate() {
  if (activando_) return;
  activando_ = true;
  struct Fin {
    bool& f;
    ~Fin() { f = false; }
  } fin{activando_};
  if (Tag() == 0) {
    if (!ReclamaCaptura()) {
      // Another copy of the program works on this program folder's
      // capture table: nothing is prepared and the window goes.
      HabilitaBotonesCompra(false, false, false, false, false, false, false);
      Close();
      MuestraMensaje(kComprasEnOtraCopia);
      return;
    }
    // Marked at once: an error shown on the way (which takes the activation
    // away and gives it back) does not start the preparation again.
    SetTag(1);
    PreparaTablasCompra();
    // A save this program folder left unfinished is finished first.
    TerminaGuardadoCompraPendiente();
    AplicaVistaClasicaCompras();
    CopiaGlyps(*this);
    CopiaGlyp(QStringLiteral("BotonPago"), BotonPagos);
    BloqueaEncabezadoCompra();
    LimpiaDatosProveedor();
    NumeraEncabezadoCompra();
    if (TablaComprasE->Active()) TablaComprasE->Last();
    CalculaTotalesCompra();
    MuestraEncabezadoCompra();
    MuestraCompraActual();
    try {
      LeeNumeroCompras();
    } catch (const std::exception&) {
    }
  }
  SetTag(1);
  if (TablaComprasE->Active() && !Editando(*TablaComprasE)) TablaComprasE->Refresh();
  const double saldo = HayEncabezado() ? TablaComprasE->FieldByName(QStringLiteral("SALDO_O")).AsFloat() : 0;
  LabelSaldo->setText(QStringLiteral("Saldo ") + FormatoMascara(kMascaraSaldo, saldo));
}

void TFormaCompras::MuestraCompraActual() {
  MuestraEncabezadoCompra();
  if (HayEncabezado())
    CargaPartidasCompra(TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString(),
                        TablaComprasE->FieldByName(QStringLiteral("CLDOC_O")).AsString());
  else VaciaCapturaCompra();
  CalculaTotalesCompra();
}

void TFormaCompras::MuestraUltimaCompra() {
  if (Editando(*TablaComprasE)) TablaComprasE->Cancel();
  const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra);
  TablaComprasE->Close();
  if (tipo) TablaComprasE->SetNombreTabla(tipo->encabezado);
  ApuntaTabla(*TablaComprasE);
  TablaComprasE->SetIndexName(kTagEncabezadoCompra);
  AbreTabla(*TablaComprasE);
  if (TablaComprasE->Active()) TablaComprasE->Last();
  MuestraCompraActual();
}

void TFormaCompras::BotonNuevoClick() {
  if (Tag() == 0) return;
  ControlInicioCompra = NumeroControlCompra();
  for (db::Tabla* t : {TablaDeta, TablaTotalCompra}) {
    try {
      t->Close();
      t->Open();
    } catch (const plat::Error&) {
    }
  }
  MargenProveedorCompra = 0;
  SinConexionCompras = false;
  if (!NuevoDocumentoCompra()) return;
  CalculaTotalesCompra();
  NoDesglosado->setChecked(false);
  TablaComprasE->FieldByName(QStringLiteral("TIMPU_O")).SetAsFloat(LeeImpuestoCompras());
  ControlInicioCompra = NumeroControlCompra();
  RegistraConsecutivoCompra();
}

void TFormaCompras::CancelaMovimiento1Click() {
  if (!EnAlta() && !EnCambio()) return;
  if (Editando(*TablaDeta)) TablaDeta->Cancel();
  BloqueaEncabezadoCompra();
  PintaEncabezado(false);
  try {
    VaciaCapturaCompra();
  } catch (const plat::Error&) {
  }
  // The station's provisional header is left; the shared table shows again.
  MuestraUltimaCompra();
  HabilitaBotonesCompra(true, true, false, false, true, true, true);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  RegistraConsecutivoCompra();
}

void TFormaCompras::Salir1Click() { Close(); }

void TFormaCompras::FormCloseQuery(bool& puedeCerrar) {
  if (SinConexionCompras) {
    if (TablaComprasE->Active()) TablaComprasE->Refresh();
    return;
  }
  if (!EnAlta() && !EnCambio()) return;
  auto pregunta = std::make_unique<TFormaCerrar>();
  pregunta->ShowModal();
  switch (pregunta->Tag()) {
    case 1:
      // Saved as the Save command saves; a save refused (no number) or
      // failed keeps the window open with the document in progress.
      if (!GuardaDocumentoCompra()) puedeCerrar = false;
      else RegistraConsecutivoCompra();
      break;
    case 2:
      if (Editando(*TablaDeta)) TablaDeta->Cancel();
      BloqueaEncabezadoCompra();
      PintaEncabezado(false);
      try {
        VaciaCapturaCompra();
      } catch (const plat::Error&) {
      }
      MuestraUltimaCompra();
      HabilitaBotonesCompra(true, true, false, false, true, true, true);
      ui::SetTag(BotonNuevo, 0);
      ui::SetTag(BotonCambios, 0);
      break;
    default:
      // "Cancelar" or the close box: the window stays with the document in
      // progress.
      puedeCerrar = false;
      break;
  }
}

void TFormaCompras::NavegadorClick() {
  MuestraEncabezadoCompra();
  if (HayEncabezado())
    CargaPartidasCompra(TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString(),
                        TablaComprasE->FieldByName(QStringLiteral("CLDOC_O")).AsString());
  CalculaTotalesCompra();
  // A stored total that differs from the lines' is put right, except on the
  // first header.
  if (HayEncabezado() && !TablaComprasE->Bof()) {
    const Dinero guardado = Dinero::DeReal(TablaComprasE->FieldByName(QStringLiteral("IMDOC_O")).AsFloat());
    if (guardado != Totales.TotalCompra) {
      try {
        EscribeTotalesCompra();
      } catch (const plat::Error&) {
      }
    }
  }
  PostPendiente(*TablaComprasE);
  PostPendiente(*TablaComprasD);
}

void TFormaCompras::MueveCompra(bool siguiente) {
  if (!HayEncabezado()) return;
  if (siguiente) TablaComprasE->Next();
  else TablaComprasE->Prior();
  MuestraCompraActual();
}

void TFormaCompras::BotonBuscarClick() {
  if (!HayEncabezado() && !TablaComprasE->Active()) return;
  auto busqueda = std::make_unique<TFormaBusqueda>();
  busqueda->Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda->Direccion->show();
  busqueda->Direccion->setText(QStringLiteral("Por Referencia (F3)"));
  busqueda->ShowModal();
  const QString texto = busqueda->CajaBuscar->text();
  QString tag = QStringLiteral("CLPRV_O");
  QString titulo = QStringLiteral("Compras Ordenado por Nombre");
  if (busqueda->Clave->isChecked()) {
    tag = kTagEncabezadoCompra;
    titulo = QStringLiteral("Compras Ordenado por Clave");
  } else if (busqueda->Direccion->isChecked()) {
    tag = QStringLiteral("REFER_O");
    titulo = QStringLiteral("Compras Ordenado por Referencia");
  }
  busqueda.reset();
  setWindowTitle(titulo);
  const auto busca = [this, &texto](const QString& indice) {
    TablaComprasE->SetIndexName(indice);
    QVariant clave = texto;
    if (indice == kTagEncabezadoCompra) {
      bool entero = false;
      const qint64 numero = texto.trimmed().toLongLong(&entero);
      if (!entero) throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(texto));
      clave = numero;
    }
    TablaComprasE->FindNearest({clave});
  };
  try {
    busca(tag);
  } catch (const plat::Error&) {
    try {
      busca(QStringLiteral("CLPRV_O"));
    } catch (const plat::Error&) {
      MuestraMensaje(kValorNoValidoCompra);
    }
  }
  if (HayEncabezado())
    CargaPartidasCompra(TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString(),
                        TablaComprasE->FieldByName(QStringLiteral("CLDOC_O")).AsString());
  MuestraEncabezadoCompra();
}

void TFormaCompras::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  // The line grid handles its own keys.
  if (EnComponente(Detalle)) return;
  // Enter in the warehouse goes on to the lines.
  if (EnComponente(EditNALMA_O) && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
    tecla = 0;
    Detalle->setFocus(Qt::TabFocusReason);
    return;
  }
  if (tecla == Qt::Key_F1) {
    CajaMensaje(kTeclasCompra, kTituloTeclasCompra);
    tecla = 0;
    return;
  }
  if (shift == Qt::ControlModifier && BotonNuevo->isEnabled() && (tecla == Qt::Key_A || tecla == Qt::Key_S)) {
    MueveCompra(tecla == Qt::Key_S);
    tecla = 0;
    return;
  }
  NavegaConTeclas(tecla);
}
