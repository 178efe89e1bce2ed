#pragma once
// A company for the report tests: the start file names Gener1.cnf, whose
// line 8 is the data folder C:\DATOS; the clock stands at 15/03/2024; two
// recording printers, "laser" (600 dpi, the default: a letter page of
// 5100 × 6600 dots) and "otra" (300 dpi). Tests write the field dictionary
// Campos.DBF and the tables they read.

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QDate>

#include <ostream>
#include <vector>

inline const QString kDatosReporte = QStringLiteral("C:\\DATOS");
inline const QString kPrograma = QStringLiteral("C:\\VRL");

// A row of the field dictionary.
struct FilaCampo {
  QString tabla;
  QString campo;
  QString describe;
  QString tipo;
};

// A text drawn on a recording printer.
struct TextoImpreso {
  QString impresora;
  int pagina;
  int x;
  int y;
  QString texto;
  QString fuente;
  bool operator==(const TextoImpreso&) const = default;
};

inline void PrintTo(const TextoImpreso& t, std::ostream* os) {
  *os << "{" << t.impresora.toStdString() << " p" << t.pagina << " " << t.x << "," << t.y << " \""
      << t.texto.toStdString() << "\" " << t.fuente.toStdString() << "}";
}

class ReportePrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    QStringList config(90);
    config[7] = kDatosReporte;
    EscribeLineas(kArchivoInicio, {kPrograma, kPrograma + QStringLiteral("\\Gener1.cnf"), ""});
    EscribeLineas(kPrograma + QStringLiteral("\\Gener1.cnf"), config);
    fs::CreaCarpeta(kDatosReporte);
    QString carpeta;
    CarpetaLocal(carpeta);
    fs::FijaAhora(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600},
                                 {"otra", "", print::TipoImpresora::Registro, QString(), 300}},
                                0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  void TearDown() override {
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    RaizPrueba::TearDown();
  }

  // Configuration line 31 names the spreadsheet program, which the
  // recording launcher knows as "hojacalc --abre"; exports go to
  // C:\EXPORTA.
  void ConHojaCalculo() {
    QStringList config(90);
    config[7] = kDatosReporte;
    config[30] = "C:\\Archivos de programa\\Microsoft Office\\Office\\EXCEL.EXE";
    EscribeLineas(kPrograma + "\\Gener1.cnf", config);
    EscribeLineas(kPrograma + "\\programas.map", {"EXCEL.EXE=hojacalc --abre"});
    fs::CreaCarpeta("C:\\EXPORTA");
  }

  // Campos.DBF of the program folder, as the installation ships it, with
  // these rows.
  static void EscribeCampos(const std::vector<FilaCampo>& filas) {
    const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Programa, "Campos.DBF");
    db::Tabla::Crea(kPrograma, def.archivo, def.campos, def.tags);
    db::Tabla t;
    t.SetCarpeta(kPrograma);
    t.SetNombreTabla(def.archivo);
    t.Open();
    for (const FilaCampo& f : filas) {
      t.Append();
      t.FieldByName("TABLA").SetAsString(f.tabla);
      t.FieldByName("CAMPO").SetAsString(f.campo);
      t.FieldByName("DESCRIBE").SetAsString(f.describe);
      t.FieldByName("TIPO").SetAsString(f.tipo);
      t.FieldByName("TAMO").SetAsInteger(0);
      t.Post();
    }
  }

  // The customer table of the data folder with these keys and names.
  static void EscribeClientes(const std::vector<std::pair<QString, QString>>& clientes) {
    const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "CLIENTE.DBF");
    db::Tabla::Crea(kDatosReporte, QStringLiteral("cliente.dbf"), def.campos, def.tags);
    db::Tabla t;
    t.SetCarpeta(kDatosReporte);
    t.SetNombreTabla(QStringLiteral("cliente.dbf"));
    t.Open();
    for (const auto& [clave, nombre] : clientes) {
      t.Append();
      t.FieldByName("CLCLI_C").SetAsString(clave);
      t.FieldByName("NOMBR_C").SetAsString(nombre);
      t.Post();
    }
  }

  // The texts printed so far, in order.
  static std::vector<TextoImpreso> Impresos() {
    std::vector<TextoImpreso> textos;
    for (const print::Operacion& op : print::OperacionesGrabadas()) {
      if (op.tipo != print::Operacion::Tipo::Texto) continue;
      textos.push_back({op.impresora, op.pagina, op.punto.x(), op.punto.y(), op.texto, op.fuente.nombre});
    }
    return textos;
  }

  // The kinds of the recorded operations other than texts, in order.
  static std::vector<print::Operacion::Tipo> Pasos() {
    std::vector<print::Operacion::Tipo> pasos;
    for (const print::Operacion& op : print::OperacionesGrabadas()) {
      if (op.tipo != print::Operacion::Tipo::Texto) pasos.push_back(op.tipo);
    }
    return pasos;
  }
};
