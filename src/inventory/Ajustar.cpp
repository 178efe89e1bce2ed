#include "inventory/Ajustar.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "inventory/CamposRegistro.h"
#include "inventory/Importa.h"
#include "inventory/RegistroProducto.h"
#include "inventory/movinv.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ProtocoloReporte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>
#include <memory>

namespace {

const QString kTagConteo = QStringLiteral("CLAVE");
// The columns as CREATE TABLE names them; the SQL layer keeps the first ten
// characters of the longer names.
const QString kColumnasConteo = QStringLiteral(
    "CLAVE CHAR(20), DESCRIPCIO CHAR(25), TEORICO NUMERIC(10,2), REALES NUMERIC(10,2), AJUSTE NUMERIC(10,2), "
    "COSTO NUMERIC(10,2), VALOR_TEORICO NUMERIC(10,2), VALOR_REALES NUMERIC(10,2), VALOR_AJUSTE NUMERIC(10,2), "
    "LINEA CHAR(8), PROVEEDOR CHAR(8)");
// Items of a counts file line that are read, and the characters kept of each.
constexpr int kPiezasConteo = 5;
constexpr int kLargoPieza = 60;

// Detaches the grid from the table while a command walks it, and puts the
// table back on its first row with the grid showing it.
class SinRejilla {
 public:
  explicit SinRejilla(ui::FuenteDatos& fuente) : fuente_(fuente), datos_(fuente.DataSet()) {
    fuente_.SetDataSet(nullptr);
  }
  ~SinRejilla() {
    try {
      if (datos_ && datos_->Active()) datos_->First();
    } catch (const std::exception&) {
    }
    fuente_.SetDataSet(datos_);
  }
  SinRejilla(const SinRejilla&) = delete;
  SinRejilla& operator=(const SinRejilla&) = delete;

 private:
  ui::FuenteDatos& fuente_;
  db::Dataset* datos_;
};

double Valor(const db::Dataset& t, const char* campo) {
  return registro::LeeReal(t.FieldByName(QString::fromLatin1(campo))).value_or(0);
}

void EscribeValor(db::Dataset& t, const char* campo, Dinero valor) {
  registro::Escribe(t.FieldByName(QString::fromLatin1(campo)), std::optional<Dinero>(valor));
}

}  // namespace

TFormaAjustar::TFormaAjustar(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAjustar>() = this;
  setObjectName(QStringLiteral("FormaAjustar"));
  setWindowTitle(QStringLiteral("Ajustar"));
  resize(900, 600);

  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* archivo = ui::MenuNombrado(MainMenu1, "Archivo1", QStringLiteral("Archivo"));
  Imprimir1 = ui::AccionNombrada(archivo, "Imprimir1", QStringLiteral("Imprimir"));

  const auto boton = [this](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
  };
  const auto casilla = [this](const char* nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, this);
    c->setObjectName(QString::fromLatin1(nombre));
    return c;
  };

  auto* modos = new QGroupBox(QStringLiteral("Ajuste"), this);
  modos->setObjectName(QStringLiteral("GrupoModo"));
  CampoAjuste = new QRadioButton(QStringLiteral("Utilizar Campo Ajuste"), modos);
  CampoAjuste->setObjectName(QStringLiteral("CampoAjuste"));
  CampoReales = new QRadioButton(QStringLiteral("Utilizar Campo Reales"), modos);
  CampoReales->setObjectName(QStringLiteral("CampoReales"));
  auto* capaModos = new QVBoxLayout(modos);
  capaModos->addWidget(CampoAjuste);
  capaModos->addWidget(CampoReales);

  BitBtn1 = boton("BitBtn1", QStringLiteral("Calcular Variación"));
  BitBtn2 = boton("BitBtn2", QStringLiteral("Importar Archivo"));
  BitBtn3 = boton("BitBtn3", QStringLiteral("Exportar Archivo"));
  BitBtn4 = boton("BitBtn4", QStringLiteral("Ajustar..."));

  auto* filtro = new QGroupBox(QStringLiteral("Filtro"), this);
  filtro->setObjectName(QStringLiteral("GrupoFiltro"));
  Edit1 = new QLineEdit(filtro);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit2 = new QLineEdit(filtro);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  ClaveF = casilla("ClaveF", QStringLiteral("Clave"));
  LineaF = casilla("LineaF", QStringLiteral("Linea"));
  ProveedorF = casilla("ProveedorF", QStringLiteral("Proveedor"));
  BitBtn5 = boton("BitBtn5", QStringLiteral("Filtrar..."));
  SoloConAjuste = casilla("SoloConAjuste", QStringLiteral("Solo con Cantidad de Ajuste"));
  auto* capaFiltro = new QGridLayout(filtro);
  capaFiltro->addWidget(new QLabel(QStringLiteral("De"), filtro), 0, 0);
  capaFiltro->addWidget(Edit1, 0, 1);
  capaFiltro->addWidget(new QLabel(QStringLiteral("Hasta"), filtro), 1, 0);
  capaFiltro->addWidget(Edit2, 1, 1);
  capaFiltro->addWidget(ClaveF, 0, 2);
  capaFiltro->addWidget(LineaF, 1, 2);
  capaFiltro->addWidget(ProveedorF, 0, 3);
  capaFiltro->addWidget(BitBtn5, 1, 3);
  capaFiltro->addWidget(SoloConAjuste, 2, 0, 1, 4);

  TablaAjuste = new db::Tabla(this);
  TablaAjuste->setObjectName(QStringLiteral("TablaAjuste"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaAjuste);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  for (const char* campo : {"CLAVE", "DESCRIPCIO", "TEORICO", "REALES", "AJUSTE", "COSTO", "VALOR_TEOR", "VALOR_REAL",
                            "VALOR_AJUS", "LINEA", "PROVEEDOR"}) {
    const int i = DBGrid1->AgregaColumna(QString::fromLatin1(campo));
    DBGrid1->SetColumnaSoloLectura(i, qstrcmp(campo, "REALES") != 0);
  }

  auto* botones = new QVBoxLayout;
  for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) botones->addWidget(b);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(modos);
  arriba->addLayout(botones);
  arriba->addWidget(filtro, 1);
  auto* capa = new QVBoxLayout(this);
  capa->setMenuBar(MainMenu1);
  capa->addLayout(arriba);
  capa->addWidget(DBGrid1, 1);

  using F = TFormaAjustar;
  const std::pair<QPushButton*, void (F::*)()> comandos[] = {
      {BitBtn1, &F::BitBtn1Click}, {BitBtn2, &F::BitBtn2Click}, {BitBtn3, &F::BitBtn3Click}, {BitBtn4, &F::BitBtn4Click}, {BitBtn5, &F::BitBtn5Click}};
  for (const auto& [b, comando] : comandos)
    ui::Conecta(b, &QPushButton::clicked, this, [this, comando] { (this->*comando)(); });
  ui::Conecta(SoloConAjuste, &QCheckBox::clicked, this, [this] { SoloConAjusteClick(); });
  ui::Conecta(Imprimir1, &QAction::triggered, this, [this] { Imprimir1Click(); });
}

void TFormaAjustar::FormCloseQuery(bool& puedeCerrar) {
  if (TablaAjuste->Active() && !GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}

void TFormaAjustar::BitBtn1Click() { CalculaVariacion(); }

bool TFormaAjustar::CalculaVariacion() {
  if (!GuardaFilaRejilla(*DBGrid1)) return false;
  SinRejilla sin(*DataSource1);
  db::Tabla& t = *TablaAjuste;
  // Blank counts and costs count as 0: an uncounted row's variance is the
  // whole expected stock, negative.
  for (t.First(); !t.Eof(); t.Next()) {
    const double teorico = Valor(t, "TEORICO"), reales = Valor(t, "REALES");
    const Dinero costo = Dinero::DeReal(Valor(t, "COSTO"));
    const double ajuste = reales - teorico;
    t.Edit();
    try {
      t.FieldByName(QStringLiteral("AJUSTE")).SetAsFloat(ajuste);
      EscribeValor(t, "VALOR_TEOR", costo * teorico);
      EscribeValor(t, "VALOR_REAL", costo * reales);
      EscribeValor(t, "VALOR_AJUS", costo * ajuste);
      t.Post();
    } catch (...) {
      t.Cancel();
      throw;
    }
  }
  return true;
}

void TFormaAjustar::BitBtn5Click() {
  const QString de = Edit1->text(), hasta = Edit2->text();
  if (de.isEmpty() || hasta.isEmpty()) {
    MuestraMensaje(kFaltanDatosFiltrar);
    TablaAjuste->SetFiltered(false);
    return;
  }
  QString filtro;
  for (const auto& [casilla, campo] : {std::pair{ClaveF, "CLAVE"}, std::pair{LineaF, "LINEA"},
                                       std::pair{ProveedorF, "PROVEEDOR"}}) {
    if (!casilla->isChecked()) continue;
    const QString f = QString::fromLatin1(campo);
    filtro = f + QStringLiteral(">=") + db::LiteralApostrofos(de) + QStringLiteral(" and ") + f +
             QStringLiteral("<=") + db::LiteralApostrofos(hasta);
  }
  if (filtro.isEmpty()) return;
  if (!GuardaFilaRejilla(*DBGrid1)) return;
  TablaAjuste->SetFilter(filtro);
  TablaAjuste->SetFiltered(true);
}

void TFormaAjustar::SoloConAjusteClick() {
  if (!GuardaFilaRejilla(*DBGrid1)) return;
  if (!SoloConAjuste->isChecked()) {
    TablaAjuste->SetFiltered(false);
    return;
  }
  const QString filtro = TablaAjuste->Filter();
  TablaAjuste->SetFilter(filtro.isEmpty() ? QStringLiteral("REALES>0") : filtro + QStringLiteral(" and REALES>0"));
  TablaAjuste->SetFiltered(true);
}

void TFormaAjustar::BitBtn3Click() {
  if (!GuardaFilaRejilla(*DBGrid1)) return;
  const QString carpeta = TablaAjuste->Carpeta();
  const QString copia = fs::Une(carpeta, QStringLiteral("Ajuste.xls"));
  if (!fs::CopiaArchivo(fs::Une(carpeta, TablaAjuste->NombreTabla()), copia))
    MuestraMensaje(QStringLiteral("No se pudo escribir el archivo ") + copia);
}

void TFormaAjustar::BitBtn4Click() {
  // The adjustment posts the variances: they are computed here from the
  // counts as they stand, never taken stale or empty while the stocks are
  // set to the counts. A sheet whose variances cannot be computed is not
  // accepted.
  if (CampoAjuste->isChecked()) {
    try {
      if (!CalculaVariacion()) return;
    } catch (const std::exception& e) {
      ui::MuestraExcepcion(e);
      return;
    }
  }
  SetTag(1);
  Close();
}

void TFormaAjustar::ImportaConteos(const QString& ruta, QChar separador) {
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(QStringLiteral("El Archivo ") + ruta + QStringLiteral(" No Existe"));
    return;
  }
  if (!GuardaFilaRejilla(*DBGrid1)) return;
  db::Tabla& t = *TablaAjuste;
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(ruta);
  // Every line checked before anything is added: a count left out would
  // set that product's stock wrong when the sheet is posted.
  std::map<QString, double> conteos;
  QStringList errores;
  for (int n = 0; n < lineas.size(); ++n) {
    const QStringList piezas = lineas[n].split(separador);
    const auto pieza = [&](int i) {
      return i < piezas.size() && i < kPiezasConteo ? piezas[i].left(kLargoPieza) : QString();
    };
    const QString clave = pieza(0);
    if (clave.isEmpty()) continue;
    const QString linea = QStringLiteral("Línea %1: ").arg(n + 1);
    double cantidad = 0;
    if (!LeeReal(pieza(1), cantidad))
      errores << linea + QStringLiteral("la cantidad \"%1\" no es un número").arg(pieza(1));
    else if (!t.FindKey({clave}))
      errores << linea + QStringLiteral("la clave %1 no está en la hoja").arg(clave);
    else
      conteos[clave] += cantidad;
  }
  if (!errores.isEmpty()) {
    MuestraMensaje(QStringLiteral("No se agregó ningún conteo del archivo ") + ruta + QStringLiteral(":\n") +
                   errores.join(u'\n'));
    return;
  }
  SinRejilla sin(*DataSource1);
  for (const auto& [clave, cantidad] : conteos) {
    if (!t.FindKey({clave})) continue;
    t.Edit();
    try {
      db::Campo& reales = t.FieldByName(QStringLiteral("REALES"));
      reales.SetAsFloat(registro::LeeReal(reales).value_or(0) + cantidad);
      t.Post();
    } catch (...) {
      t.Cancel();
      throw;
    }
  }
}

void TFormaAjustar::ImportaArchivo(const EligeArchivoConteos& elige) {
  QString programa;
  CarpetaLocal(programa);
  const QString cnf = fs::Une(programa, kArchivoImporta);
  const QStringList lineas = fs::ExisteArchivo(cnf) ? fs::LeeLineas(cnf) : QStringList();
  QString ruta = lineas.value(0), separador = lineas.value(1).left(1);
  if (ruta.isEmpty()) ruta = QStringLiteral("C:\\VRL\\");
  if (separador.isEmpty()) separador = QStringLiteral(",");
  if (!elige(ruta, separador)) return;
  fs::ReescribeLineas(cnf, {ruta, separador});
  ImportaConteos(ruta, separador.isEmpty() ? QChar(u',') : separador[0]);
}

// The counts file picked in the text-file import dialog, which shows the
// path and separator offered and hands back what it holds after "Importar".
void TFormaAjustar::BitBtn2Click() {
  ImportaArchivo([this](QString& ruta, QString& separador) {
    TFormaImportaArchivo importa(this);
    importa.Ruta->setText(ruta);
    importa.Separador->setText(separador);
    importa.ShowModal();
    if (importa.Tag() != kImportaAceptado) return false;
    ruta = importa.Ruta->text();
    separador = importa.Separador->text();
    return true;
  });
}

void TFormaAjustar::Imprimir1Click() {
  if (!GuardaFilaRejilla(*DBGrid1)) return;
  db::Tabla& t = *TablaAjuste;
  QString primera, ultima;
  if (!t.IsEmpty()) {
    t.Last();
    ultima = t.FieldByName(QStringLiteral("CLAVE")).AsString();
    t.First();
    primera = t.FieldByName(QStringLiteral("CLAVE")).AsString();
  }
  auto barras = std::make_unique<TFormaBarras>();
  auto formatos = std::make_unique<TFormaFormatos>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  FijaRangoReporte(0, 0, primera, ultima);
  formatos->ShowModal();
  if (formatos->Tag() != 1) {
    formatos->SetTag(0);
    return;
  }
  const auto codigo = [&](int n) { return CodigoOperador(formatos->Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos->C[0]->text(), codigo(0), formatos->Valor[0]->currentText(), formatos->T[0]->text(),
                         formatos->C[1]->text(), codigo(1), formatos->Valor[1]->currentText(), formatos->T[1]->text(),
                         formatos->C[2]->text(), codigo(2), formatos->Valor[2]->currentText(), formatos->T[2]->text(),
                         QStringLiteral("Y"));
  const std::array<QString, 8> columnas = {QStringLiteral("TEORICO"),    QStringLiteral("REALES"),
                                           QStringLiteral("AJUSTE"),     QStringLiteral("VALOR_TEOR"),
                                           QStringLiteral("VALOR_REAL"), QStringLiteral("VALOR_AJUS")};
  const QString desde = formatos->Inicial->date().toString(QStringLiteral("dd/MM/yyyy"));
  const QString hasta = formatos->Final->date().toString(QStringLiteral("dd/MM/yyyy"));
  GeneraReporte(t, formatos->De->text(), formatos->Hasta->text(), QStringLiteral("f"), desde, hasta,
                QStringLiteral("CLAVE"), QStringLiteral("DESCRIPCIO"), columnas, QString(), QStringLiteral("X"),
                QString(), QStringLiteral("D"));
  if (EstadoGeneradorReporte().Rechazada) {
    formatos->SetTag(0);
    return;
  }
  EscribeTitulosReporte(QStringLiteral("Clave"), QStringLiteral("Decripción"),
                        {QStringLiteral("%Teórico"), QStringLiteral("%Reales"), QStringLiteral("%Ajuste"),
                         QStringLiteral("Valor Teórico"), QStringLiteral("Valor Reales"),
                         QStringLiteral("Valor Ajuste")});
  std::array<quint16, 10> anchos;
  anchos.fill(20);
  EscribeAnchosReporte(anchos);
  PreparaGraficaReporte(QStringLiteral("Gráfica de Consecutivo de Documentos"), QStringLiteral("Número de Documento"),
                        QStringLiteral("Total por Documento"), 1);
  barras->SetTag(0);
  ui::SetTag(barras->Panel2, 0);
  ui::SetTag(barras->BotonGrafica, kVistaReporte);
  barras->Concentrado->clear();
  barras->setWindowTitle(TituloReporte(QStringLiteral("Reporte de Consecutivo de Documentos"), formatos->Titulo->text()));
  barras->ShowModal();
  barras->SetTag(0);
  formatos->SetTag(0);
  t.First();
}

void CreaTablaAjuste(const QString& carpeta) {
  const QString tabla = db::LiteralComillas(fs::Une(carpeta, kTablaConteo));
  db::Consulta q;
  for (const QString& sql : {QStringLiteral("DROP TABLE ") + tabla,
                             QStringLiteral("CREATE TABLE ") + tabla + QStringLiteral(" (") + kColumnasConteo + u')',
                             QStringLiteral("CREATE INDEX CLAVE ON ") + tabla + QStringLiteral(" (CLAVE)")}) {
    try {
      q.Close();
      q.SetSQL(sql);
      q.ExecSQL();
    } catch (const plat::Error&) {
      // A table that was not there, or that another station holds: the
      // filling finds out.
    }
  }
}

void LlenaTablaAjuste(const QString& carpeta) {
  db::Tabla hoja;
  hoja.SetCarpeta(carpeta);
  hoja.SetNombreTabla(kTablaConteo);
  hoja.Open();
  if (!hoja.IsEmpty())
    throw plat::Error(plat::Clase::EnUso,
                      QStringLiteral("No se pudo crear de nuevo la tabla %1: está en uso en otra estación")
                          .arg(fs::Une(carpeta, kTablaConteo)));
  db::Tabla productos;
  productos.SetCarpeta(carpeta);
  productos.SetNombreTabla(kTablaProductos);
  productos.SetReadOnly(true);
  productos.Open();
  productos.SetIndexName(kTagClaveProducto);
  const std::pair<const char*, const char*> copia[] = {{"CLAVE", "CLPRO_I"},  {"DESCRIPCIO", "DSCPR_I"},
                                                       {"TEORICO", "EXIST_I"}, {"COSTO", "ULCOS_I"},
                                                       {"LINEA", "LIPRO_I"},   {"PROVEEDOR", "CLPR1_I"}};
  for (productos.First(); !productos.Eof(); productos.Next()) {
    hoja.Append();
    try {
      for (const auto& [destino, origen] : copia)
        hoja.FieldByName(QString::fromLatin1(destino))
            .SetAsString(productos.FieldByName(QString::fromLatin1(origen)).AsString());
      hoja.Post();
    } catch (...) {
      hoja.Cancel();
      throw;
    }
  }
}

void AbreHojaConteo(const QString& carpeta) {
  TFormaAjustar hoja;
  db::Tabla& t = *hoja.TablaAjuste;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(kTablaConteo);
  t.Open();
  t.SetIndexName(kTagConteo);
  // The count is what is typed.
  hoja.DBGrid1->SetSelectedIndex(3);
  hoja.SetTag(0);
  hoja.ShowModal();
  if (hoja.Tag() != 1) return;
  const bool reinicia = hoja.CampoReales->isChecked();
  if (!reinicia && !hoja.CampoAjuste->isChecked()) return;
  TFormaMovimientosInventario* movimientos = FormaMovimientosInventario();
  if (!movimientos) return;
  // The rows shown as the sheet was accepted.
  std::vector<TFormaMovimientosInventario::LineaConteo> lineas;
  const QString cantidad = reinicia ? QStringLiteral("REALES") : QStringLiteral("AJUSTE");
  for (t.First(); !t.Eof(); t.Next()) {
    const QString clave = t.FieldByName(QStringLiteral("CLAVE")).AsString();
    if (clave.isEmpty()) continue;
    lineas.push_back({clave, registro::LeeReal(t.FieldByName(cantidad)),
                      t.FieldByName(QStringLiteral("REALES")).AsString()});
  }
  movimientos->GuardaConteo(lineas, reinicia);
}
