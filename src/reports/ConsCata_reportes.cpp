// The browser's Reportes menu: the custom reports of report\reportes.sql in
// the program folder. Each line of that file is a menu caption, "#", and a
// report script whose lines are separated by "#": SQL lines, then title
// lines beginning with "%". Choosing one asks the report's parameters, runs
// the script into the temporary report table (GuionTabla.h) and hands that
// table to the report generator and its viewer.

#include "reports/ConsCata.h"

#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/GuionTabla.h"
#include "reports/OrdenPor.h"
#include "reports/ProtocoloReporte.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString kTituloPersonalizado = QStringLiteral("Reporte de Consecutivo de Documentos");
constexpr int kColumnasGenerador = 8;

QString ArchivoReportes() {
  QString programa;
  CarpetaLocal(programa);
  return fs::Une(programa, QStringLiteral("report\\reportes.sql"));
}

QString ArchivoGuionPersonalizado() {
  QString programa;
  CarpetaLocal(programa);
  return fs::Une(programa, QStringLiteral("report\\tempo.sql"));
}

QString Leyenda(const QString& lista, int k) {
  QString elemento;
  ElementoLista(lista, k, elemento);
  return elemento;
}

// The notice shows a new text at once.
void Avisa(TFormaAdvertencia& aviso, const QString& texto) {
  aviso.Label1->setText(texto);
  aviso.repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

void PiezaTexto(const QString& texto, int k, QChar separador, QString& pieza) {
  const QStringList piezas = (texto + separador).split(separador);
  pieza = k >= 1 && k <= piezas.size() ? piezas[k - 1] : QString();
}

void ListaCamposTabla(const db::Tabla& tabla, QString& lista) {
  lista.clear();
  for (const QString& campo : tabla.NombresCampos()) lista += campo + u',';
}

void TFormaCatalogo::ConstruyeReportes() {
  const QString archivo = ArchivoReportes();
  if (!fs::ExisteArchivo(archivo)) return;
  QStringList lineas;
  try {
    lineas = fs::LeeLineasCp1252OUtf8(archivo);
  } catch (const plat::Error&) {
    return;
  }
  for (const QString& linea : lineas) {
    QString titulo;
    PiezaTexto(linea, 1, u'#', titulo);
    QAction* item = Reportes1->addAction(titulo);
    item->setVisible(true);
    ui::Conecta(item, &QAction::triggered, this, [this, item] { EjecutaReportePersonalizado(item); });
  }
}

void TFormaCatalogo::EjecutaReportePersonalizado(QAction* item) {
  // The three windows of the run go with it, whichever way it ends.
  auto barras = std::make_unique<TFormaBarras>();
  auto formatos = std::make_unique<TFormaFormatos>();
  auto aviso = std::make_unique<TFormaAdvertencia>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, true, false, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  FijaRangoReporte(0, 0, QString(), QString());
  formatos->Titulo->setText(kTituloPersonalizado);
  formatos->setWindowTitle(kTituloPersonalizado);
  barras->setWindowTitle(formatos->Titulo->text());
  formatos->ShowModal();
  if (formatos->Tag() != 1) {
    formatos->SetTag(0);
    return;
  }

  // The item's line: the first whose caption is the item's; the last one
  // read when none is.
  QString linea;
  const QStringList lineas =
      fs::ExisteArchivo(ArchivoReportes()) ? fs::LeeLineasCp1252OUtf8(ArchivoReportes()) : QStringList();
  for (const QString& l : lineas) {
    linea = l;
    QString titulo;
    PiezaTexto(l, 1, u'#', titulo);
    if (titulo == item->text()) break;
  }

  Avisa(*aviso, QStringLiteral("Creando Reporte Espere un momento por Favor..."));
  aviso->Show();
  aviso->repaint();

  // The table is this run's from its making until the viewer closes.
  UsoTablaTemporal uso;
  if (!uso.Toma()) {
    aviso->Close();
    formatos->SetTag(0);
    MuestraMensaje(MensajeTablaOcupada(RutaTablaTemporal()));
    return;
  }

  const qsizetype gato = linea.indexOf(u'#');
  QString guion = gato < 0 ? QString() : linea.mid(gato + 1);
  guion.replace(u'#', u'\r');
  const QString archivo = ArchivoGuionPersonalizado();
  fs::CreaCarpeta(fs::CarpetaDe(archivo));
  fs::ReescribeLineas(archivo, {guion});

  db::Tabla tempo;
  QString titulos, campos;
  try {
    EjecutaGuionATablaTemporal(archivo);
    Avisa(*aviso, QStringLiteral("Ordenando Reporte Espere un momento por Favor..."));
    LeeTiposColumnaGuion(archivo, titulos);
    tempo.SetCarpeta(kCarpetaTablaTemporal);
    tempo.SetNombreTabla(kTablaTemporal);
    tempo.Open();
    ListaCamposTabla(tempo, campos);
  } catch (const std::exception& e) {
    aviso->Close();
    formatos->SetTag(0);
    ui::MuestraExcepcion(e);
    return;
  }
  aviso->Close();

  const auto codigo = [&](int n) { return CodigoOperador(formatos->Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos->C[0]->text(), codigo(0), formatos->Valor[0]->currentText(), formatos->T[0]->text(),
                         formatos->C[1]->text(), codigo(1), formatos->Valor[1]->currentText(), formatos->T[1]->text(),
                         formatos->C[2]->text(), codigo(2), formatos->Valor[2]->currentText(), formatos->T[2]->text(),
                         formatos->Conector->currentText());
  // A detail report in table order: field 1 the key, field 2 the text,
  // fields 3 to 9 the columns; titles from the script's "%" lines.
  std::array<QString, kColumnasGenerador> columnas, encabezados;
  for (int c = 0; c < kColumnasGenerador - 1; ++c) {
    columnas[c] = Leyenda(campos, c + 3);
    encabezados[c] = Leyenda(titulos, c + 3);
  }
  GeneraReporte(tempo, formatos->De->text(), formatos->Hasta->text(), QStringLiteral("f"), QStringLiteral("f"),
                QStringLiteral("f"), Leyenda(campos, 1), Leyenda(campos, 2), columnas, QString(), QStringLiteral("X"),
                QString(), QStringLiteral("D"));
  if (EstadoGeneradorReporte().Rechazada) {
    formatos->SetTag(0);
    return;
  }
  EscribeTitulosReporte(Leyenda(titulos, 1), Leyenda(titulos, 2), encabezados);
  std::array<quint16, 10> anchos{10, 40};
  std::fill(anchos.begin() + 2, anchos.end(), quint16{15});
  EscribeAnchosReporte(anchos);
  PreparaGraficaReporte(QStringLiteral("Gráfica"), QString(), QString(), 1);

  barras->SetTag(0);
  ui::SetTag(barras->Panel2, 0);
  ui::SetTag(barras->BotonGrafica, kVistaReporte);
  barras->Concentrado->clear();
  barras->setWindowTitle(formatos->Titulo->text());
  barras->ShowModal();
  barras->SetTag(0);
  tempo.Close();
  formatos->SetTag(0);
}
