// The designer's files: the view written from the grid, its list record and
// Especiales.cnf, and a saved view read back into the grid.

#include "reports/DisenoVista.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_texto.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/Vistas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

const QString kFormatoImporte = QStringLiteral("###,##0.00");
const QString kSinFormato = QStringLiteral("C");
const QString kSinValor = QStringLiteral("N");

// The items joined by commas and closed by one blank; empty without items.
QString ListaConBlanco(const QStringList& elementos) {
  return elementos.isEmpty() ? QString() : elementos.join(u',') + u' ';
}

// Every item followed by a comma.
QString ListaConComas(const QStringList& elementos) {
  QString linea;
  for (const QString& e : elementos) linea += e + u',';
  return linea;
}

// The items of a line whose items each end in a comma.
QStringList ElementosConComas(const QString& linea) {
  QStringList elementos = ElementosVista(linea);
  elementos.removeLast();
  return elementos;
}

}  // namespace

QStringList TFormaDisenoVista::LineasVista() const {
  QStringList seleccion, tablas, captions, formatos, anchos, orden, totales, acciones, llaves;
  for (int col = 1; col < kColumnas; ++col) {
    const QString campo = Celda(col, FilaCampo);
    const QString nombre = Celda(col, FilaNombre);
    const QString tabla = Celda(col, FilaTabla);
    if (!nombre.isEmpty()) seleccion << Celda(col, FilaIdentificador) + u'.' + nombre;
    if (!tabla.isEmpty() && !tablas.join(u',').contains(tabla))
      tablas << u'\\' + tabla + QStringLiteral("\" as ") + Celda(col, FilaIdentificador);
    if (!campo.isEmpty()) {
      captions << campo;
      formatos << (Celda(col, FilaFormato).isEmpty() ? kSinFormato : Celda(col, FilaFormato));
    }
    if (!Celda(col, FilaAncho).isEmpty()) anchos << Celda(col, FilaAncho);
    if (!Celda(col, FilaOrden).isEmpty()) orden << nombre;
    if (!Celda(col, FilaTotales).isEmpty() || !campo.isEmpty())
      totales << (Celda(col, FilaTotales).isEmpty() ? kSinValor : Celda(col, FilaTotales));
    if (!Celda(col, FilaAccion).isEmpty() || !campo.isEmpty())
      acciones << (Celda(col, FilaAccion).isEmpty() ? kSinValor : Celda(col, FilaAccion));
    if (!Celda(col, FilaLlave).isEmpty()) llaves << nombre;
  }
  QString union_ = ListaConBlanco(llaves);
  union_.replace(u',', u'=');
  return {seleccion.join(u',').remove(u' '), ListaConBlanco(tablas), ListaConBlanco(captions),
          ListaConBlanco(formatos), ListaConComas(anchos), ListaConComas(orden), ListaConComas(totales),
          ListaConComas(acciones), union_, Edit1->text()};
}

void TFormaDisenoVista::BotonGuardar2Click() {
  DatosConsulta->CierraEditor();
  if (Tipos->text().isEmpty()) {
    MuestraMensaje(QStringLiteral("Elija una categoría"));
    return;
  }
  // The dialog opens in the views' folder, made on the first save.
  fs::CreaCarpeta(GuardaBase->InitialDir);
  if (!GuardaBase->Execute()) return;
  const QString vista = GuardaBase->FileName;
  // The list keeps 60 characters of a path: a longer one would be lost.
  if (vista.size() > TEntradaVista::LargoArchivo()) {
    MuestraMensaje(QStringLiteral("La ruta de la vista no cabe en la lista (más de 60 caracteres)"));
    return;
  }
  const QStringList lineas = LineasDeTexto(Describe->toPlainText());
  Descr->setText(lineas.mid(0, 3).join(QString()));
  // The view first: a list never names a view that was not written.
  EscribeVista(vista, LineasVista());
  AgregaEntradaVista(Tipos->text(), {vista, Descr->text()});
  AgregaEspeciales(Lista->currentText(), vista);
}

void TFormaDisenoVista::Abrir1Click() {
  ListaCampos->clear();
  ListaClaves.clear();
  if (!AbreBase->Execute()) return;
  CargaVista(LeeVista(AbreBase->FileName));
}

void TFormaDisenoVista::CargaVista(const QStringList& vista) {
  DatosConsulta->CierraEditor();
  for (int col = 1; col < kColumnas; ++col) {
    for (int fila = FilaCampo; fila <= FilaLlave; ++fila) DatosConsulta->SetCells(col, fila, QString());
  }

  // The tables by identifier, from line 2 ("\cliente.dbf" as A").
  std::map<QString, QString> tablas;
  for (const QString& pieza : ElementosCerrados(LineaVista(vista, 2))) {
    const qsizetype comillas = pieza.indexOf(u'"');
    const qsizetype como = pieza.indexOf(QStringLiteral(" as "));
    if (comillas < 0 || como < 0) continue;
    tablas[pieza.mid(como + 4).trimmed()] = pieza.mid(0, comillas).remove(u'\\');
  }

  // A column per item of line 1.
  const QStringList seleccion = ElementosVista(LineaVista(vista, 1));
  int columnas = 0;
  for (const QString& item : seleccion) {
    const qsizetype punto = item.indexOf(u'.');
    if (punto < 0 || columnas + 1 >= kColumnas) continue;
    const int col = ++columnas;
    const QString identificador = item.left(punto);
    DatosConsulta->SetCells(col, FilaIdentificador, identificador);
    DatosConsulta->SetCells(col, FilaNombre, item.mid(punto + 1));
    DatosConsulta->SetCells(col, FilaTabla, tablas[identificador]);
  }

  // The formats "###,##0.00" were split at their comma.
  QStringList formatos;
  for (const QString& f : ElementosCerrados(LineaVista(vista, 4))) {
    if (!formatos.isEmpty() && formatos.last() == u"###" && f == u"##0.00") formatos.last() = kFormatoImporte;
    else formatos << f;
  }
  const auto porColumna = [&](const QStringList& elementos, Fila fila, const QString& vacio) {
    for (int k = 0; k < elementos.size() && k < columnas; ++k)
      DatosConsulta->SetCells(k + 1, fila, elementos[k] == vacio ? QString() : elementos[k]);
  };
  porColumna(ElementosCerrados(LineaVista(vista, 3)), FilaCampo, QString());
  porColumna(formatos, FilaFormato, kSinFormato);
  porColumna(ElementosConComas(LineaVista(vista, 5)), FilaAncho, QString());
  porColumna(ElementosConComas(LineaVista(vista, 7)), FilaTotales, kSinValor);
  porColumna(ElementosConComas(LineaVista(vista, 8)), FilaAccion, kSinValor);

  // Sort fields and keys go to the first column of their field not marked
  // yet; keys pair in order.
  const auto marca = [&](const QString& nombre, Fila fila, const QString& valor) {
    for (int col = 1; col <= columnas; ++col) {
      if (Celda(col, FilaNombre) != nombre || !Celda(col, fila).isEmpty()) continue;
      DatosConsulta->SetCells(col, fila, valor);
      return;
    }
  };
  for (const QString& nombre : ElementosConComas(LineaVista(vista, 6))) marca(nombre, FilaOrden, QStringLiteral("Incluir"));
  QString union_ = LineaVista(vista, 9).trimmed();
  const QStringList llaves = union_.isEmpty() ? QStringList() : union_.split(u'=');
  for (qsizetype k = 0; k < llaves.size(); ++k)
    marca(llaves[k], FilaLlave, QStringLiteral("Llave ") + QString::number(k / 2 + 1));
  Edit1->setText(LineaVista(vista, 10));

  for (int col = 1; col <= columnas; ++col)
    DatosConsulta->SetColWidths(col, DatosConsulta->fontMetrics().horizontalAdvance(Celda(col, FilaCampo)) + 20);
  DibujaLlaves();

  // The category of the first column's table offers its fields again.
  const QString primera = Celda(1, FilaTabla);
  for (size_t i = 0; i < CategoriasVista().size(); ++i) {
    if (primera.compare(QString::fromUtf8(CategoriasVista()[i].tabla), Qt::CaseInsensitive) != 0) continue;
    if (Lista->currentIndex() == static_cast<int>(i)) ListaChange();
    else Lista->setCurrentIndex(static_cast<int>(i));
    break;
  }
}
