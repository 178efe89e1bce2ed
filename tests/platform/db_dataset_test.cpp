// The dataset API over dBASE tables: navigation, the editing state machine,
// events, record locks between handles, filters, Locate and table operations.

#include "db_comun.h"

#include <QSignalSpy>

using db::AccionError;
using db::Dataset;
using db::Tabla;
using plat::Clase;


class PruebaDataset : public PruebaTabla {
 protected:
  void SetUp() override {
    PruebaTabla::SetUp();
    CreaClientes();
  }
  static QStringList Numeros(Tabla& t) { return Columna(t, "NUMERO"); }
};

TEST_F(PruebaDataset, NavegacionSaltaBorradosYMarcaLosExtremos) {
  auto t = Abre("CLIENTES.DBF");
  EXPECT_TRUE(t->Bof() && t->Eof() && t->IsEmpty());
  EXPECT_EQ(t->RecNo(), 0);
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "");
  Agrega(*t, {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"e", 5}});
  for (int n : {2, 4}) {
    t->First();
    ASSERT_TRUE(t->Locate("NUMERO", {n}));
    t->Delete();
  }
  EXPECT_EQ(Numeros(*t), QStringList({"1", "3", "5"}));
  EXPECT_EQ(t->RecordCount(), 3);
  t->First();
  EXPECT_TRUE(t->Bof());
  EXPECT_FALSE(t->Eof());
  t->Next();
  EXPECT_EQ(t->RecNo(), 3);
  EXPECT_FALSE(t->Bof());
  t->Next();
  t->Next();
  EXPECT_TRUE(t->Eof());
  EXPECT_EQ(t->RecNo(), 5);  // stays on the last row
  EXPECT_EQ(t->MoveBy(-5), -2);
  EXPECT_TRUE(t->Bof());
  EXPECT_EQ(t->RecNo(), 1);
  t->Last();
  EXPECT_TRUE(t->Eof());
  t->Prior();
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "c");
  EXPECT_FALSE(t->Eof() || t->Bof());
  EXPECT_EQ(t->MoveBy(1), 1);
  EXPECT_EQ(t->MoveBy(1), 0);
  EXPECT_TRUE(t->Eof());
}

TEST_F(PruebaDataset, EstadosEventosYSenales) {
  auto t = Abre("CLIENTES.DBF");
  QStringList log;
  auto anota = [&log](const char* n) { return [&log, n](Dataset&) { log << n; }; };
  t->BeforeInsert = anota("BeforeInsert");
  t->OnNewRecord = [&log](Dataset& d) {
    log << "OnNewRecord";
    d.FieldByName("NUMERO").SetAsInteger(99);
  };
  t->AfterInsert = anota("AfterInsert");
  t->BeforeEdit = anota("BeforeEdit");
  t->AfterEdit = anota("AfterEdit");
  t->BeforePost = anota("BeforePost");
  t->AfterPost = anota("AfterPost");
  t->BeforeCancel = anota("BeforeCancel");
  t->AfterCancel = anota("AfterCancel");
  t->BeforeDelete = anota("BeforeDelete");
  t->AfterDelete = anota("AfterDelete");
  t->BeforeScroll = anota("BeforeScroll");
  t->AfterScroll = anota("AfterScroll");
  QSignalSpy estado(t.get(), &Dataset::estadoCambiado);
  QSignalSpy campo(t.get(), &Dataset::campoCambiado);
  QSignalSpy registro(t.get(), &Dataset::registroCambiado);

  t->Edit();  // on an empty table: a new row
  EXPECT_EQ(t->State(), Dataset::Estado::Insertando);
  EXPECT_FALSE(t->Modified());  // values of OnNewRecord do not count
  EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 99);
  t->FieldByName("NOMBRE").SetAsString("uno");
  EXPECT_TRUE(t->Modified());
  EXPECT_EQ(campo.takeLast().at(0).toInt(), 0);
  t->Post();
  EXPECT_EQ(t->State(), Dataset::Estado::Navegando);
  EXPECT_EQ(log, QStringList({"BeforeInsert", "OnNewRecord", "AfterInsert", "BeforePost", "AfterPost"}));
  EXPECT_EQ(estado.count(), 2);
  log.clear();

  t->Edit();
  t->FieldByName("NOMBRE").SetAsString("cambio");
  t->Cancel();
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "uno");
  t->Edit();
  t->FieldByName("NOMBRE").SetAsString("dos");
  registro.clear();
  t->Next();  // posts the change before moving
  EXPECT_EQ(registro.count(), 2);  // posted, moved
  EXPECT_EQ(log, QStringList({"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeEdit", "AfterEdit",
                              "BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}));
  t->Close();
  t->Open();
  EXPECT_EQ(Columna(*t, "NOMBRE"), QStringList({"dos"}));

  // An untouched new row is dropped by a move; Delete while inserting cancels.
  t->Append();
  t->First();
  t->Insert();
  t->Delete();
  EXPECT_EQ(t->RecordCount(), 1);

  // A Before handler that throws stops the operation.
  t->BeforePost = [](Dataset&) { throw plat::Error("no"); };
  t->Append();
  t->FieldByName("NOMBRE").SetAsString("tres");
  EXPECT_THROW(t->Post(), plat::Error);
  EXPECT_EQ(t->State(), Dataset::Estado::Insertando);
  t->Cancel();
  t->BeforeDelete = [](Dataset&) { throw plat::Error("no"); };
  EXPECT_THROW(t->Delete(), plat::Error);
  EXPECT_EQ(t->RecordCount(), 1);
  t->BeforeDelete = nullptr;
  t->BeforePost = nullptr;
  t->Delete();
  EXPECT_TRUE(t->IsEmpty() && t->Eof());
  EXPECT_EQ(ErrorDe([&] { t->Delete(); }).first, Clase::Estado);
  t->Close();
  EXPECT_EQ(ErrorDe([&] { t->Next(); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("NOMBRE").AsString(); }).first, Clase::Estado);
}

TEST_F(PruebaDataset, DosManejadoresSeExcluyenComoDosEstaciones) {
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"a", 1}, {"b", 2}});
  }
  auto a = Abre("CLIENTES.DBF");
  EXPECT_EQ(ErrorDe([&] { Abre("CLIENTES.DBF", true); }),
            std::make_pair(Clase::EnUso, QString("La tabla CLIENTES.DBF está abierta por otro usuario; no se puede usar en exclusiva")));
  auto b = Abre("CLIENTES.DBF");
  a->Edit();
  EXPECT_EQ(ErrorDe([&] { b->Edit(); }),
            std::make_pair(Clase::Bloqueado, QString("El registro 1 de la tabla CLIENTES.DBF está bloqueado por otro usuario")));
  EXPECT_EQ(ErrorDe([&] { b->Delete(); }).first, Clase::Bloqueado);
  EXPECT_EQ(b->State(), Dataset::Estado::Navegando);
  b->Next();
  b->Edit();  // another record is free
  b->Cancel();
  b->First();
  a->FieldByName("NOMBRE").SetAsString("A");
  a->Post();
  b->Edit();  // the first handle's post released the lock and B reads the new value
  EXPECT_EQ(b->FieldByName("NOMBRE").AsString(), "A");
  EXPECT_EQ(ErrorDe([&] { a->Edit(); }).first, Clase::Bloqueado);
  b->Close();  // closing releases too
  a->Edit();
  a->Cancel();
  // LiberaBloqueos lets another station in; Post locks again.
  b = Abre("CLIENTES.DBF");
  a->Edit();
  a->FieldByName("NOMBRE").SetAsString("de A");
  a->LiberaBloqueos();
  b->Edit();
  EXPECT_EQ(ErrorDe([&] { a->Post(); }).first, Clase::Bloqueado);
  b->Cancel();
  a->Post();
  EXPECT_EQ(a->FieldByName("NOMBRE").AsString(), "de A");
  b->Close();
  a->Close();
  auto x = Abre("CLIENTES.DBF", true);
  EXPECT_EQ(ErrorDe([&] { Abre("CLIENTES.DBF"); }),
            std::make_pair(Clase::EnUso, QString("La tabla CLIENTES.DBF está en uso exclusivo por otro usuario")));
}

TEST_F(PruebaDataset, LosRegistrosRetenidosSiguenBloqueadosHastaSoltarlos) {
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"a", 1}, {"b", 2}, {"c", 3}});
  }
  auto a = Abre("CLIENTES.DBF");
  auto b = Abre("CLIENTES.DBF");
  // Two rows taken before either is changed; Post and Cancel keep them.
  a->First();
  a->RetieneRegistro();
  a->Next();
  a->RetieneRegistro();
  a->First();
  a->Edit();
  a->FieldByName("NOMBRE").SetAsString("A");
  a->Post();
  a->Next();
  a->Edit();
  a->Cancel();
  b->First();
  EXPECT_EQ(ErrorDe([&] { b->Edit(); }).first, Clase::Bloqueado);
  b->Next();
  EXPECT_EQ(ErrorDe([&] { b->Delete(); }).first, Clase::Bloqueado);
  b->Next();
  b->Edit();  // the third row was never taken
  EXPECT_EQ(ErrorDe([&] { a->Last(); a->RetieneRegistro(); }).first, Clase::Bloqueado);
  b->Cancel();

  // Letting go keeps the row being edited until its own Post.
  a->First();
  a->Edit();
  a->SueltaRetenidos();
  b->First();
  EXPECT_EQ(ErrorDe([&] { b->Edit(); }).first, Clase::Bloqueado);
  b->Next();
  b->Edit();
  b->Cancel();
  a->Post();
  b->First();
  b->Edit();
  EXPECT_EQ(b->FieldByName("NOMBRE").AsString(), "A");
  b->Cancel();

  // LiberaBloqueos and Close let them go too.
  a->RetieneRegistro();
  a->LiberaBloqueos();
  b->Edit();
  b->Cancel();
  a->RetieneRegistro();
  a->Close();
  b->Edit();
  b->Cancel();
}

TEST_F(PruebaDataset, ErroresDeEdicionSeReintentanAbortanOFallan) {
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"a", 1}});
  }
  auto a = Abre("CLIENTES.DBF");
  auto b = Abre("CLIENTES.DBF");
  a->Edit();
  int llamadas = 0;
  b->OnEditError = [&](Dataset&, const plat::Error& e) {
    EXPECT_EQ(e.clase(), Clase::Bloqueado);
    if (++llamadas == 3) a->Post();  // the other station finishes meanwhile
    return AccionError::Retry;
  };
  b->Edit();
  EXPECT_EQ(llamadas, 3);
  EXPECT_EQ(b->State(), Dataset::Estado::Editando);
  b->Cancel();

  b->Edit();
  a->OnEditError = [](Dataset&, const plat::Error&) { return AccionError::Abort; };
  a->Edit();  // nothing thrown, nothing done
  EXPECT_EQ(a->State(), Dataset::Estado::Navegando);
  a->OnDeleteError = [](Dataset&, const plat::Error&) { return AccionError::Fail; };
  EXPECT_EQ(ErrorDe([&] { a->Delete(); }).first, Clase::Bloqueado);
  a->OnDeleteError = [](Dataset&, const plat::Error&) { return AccionError::Abort; };
  a->Delete();
  EXPECT_EQ(a->RecordCount(), 1);
}

TEST_F(PruebaDataset, RefreshMuestraLoQueEscribioOtraEstacion) {
  auto a = Abre("CLIENTES.DBF");
  Agrega(*a, {{"a", 1}, {"b", 2}, {"c", 3}});
  auto b = Abre("CLIENTES.DBF");
  a->First();
  a->Next();  // on "b"
  Agrega(*b, {{"d", 4}});
  b->First();
  b->Edit();
  b->FieldByName("NOMBRE").SetAsString("A");
  b->Post();
  EXPECT_EQ(a->RecordCount(), 3);
  a->Refresh();
  EXPECT_EQ(a->FieldByName("NOMBRE").AsString(), "b");
  EXPECT_EQ(a->RecordCount(), 4);
  EXPECT_EQ(Columna(*a, "NOMBRE"), QStringList({"A", "b", "c", "d"}));
  // The row A stands on is deleted elsewhere: A moves to the next one.
  a->First();
  a->Next();
  b->Next();
  b->Delete();
  a->Refresh();
  EXPECT_EQ(a->FieldByName("NOMBRE").AsString(), "c");
  // Edit reads the record afresh, whatever A had cached.
  b->Last();
  b->Edit();
  b->FieldByName("NUMERO").SetAsInteger(40);
  b->Post();
  a->Last();
  a->Edit();
  EXPECT_EQ(a->FieldByName("NUMERO").AsInteger(), 40);
  a->Cancel();
}

TEST_F(PruebaDataset, RecNoDelRegistroAgregadoEsSuNumeroEnElArchivo) {
  auto a = Abre("CLIENTES.DBF");
  auto b = Abre("CLIENTES.DBF");
  QList<qint64> numeros;
  for (int i = 0; i < 3; ++i) {
    for (Tabla* t : {a.get(), b.get()}) {
      t->Append();
      t->FieldByName("NUMERO").SetAsInteger(i);
      EXPECT_EQ(t->RecNo(), 0);
      t->Post();
      numeros << t->RecNo();
    }
  }
  EXPECT_EQ(numeros, QList<qint64>({1, 2, 3, 4, 5, 6}));
  a->Close();
  b->Close();
  EXPECT_EQ(static_cast<quint8>(Bytes("CLIENTES.DBF")[4]), 6);
}

TEST_F(PruebaDataset, SoloLectura) {
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"a", 1}});
  }
  auto t = Abre("CLIENTES.DBF", false, true);
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "a");
  EXPECT_EQ(ErrorDe([&] { t->Edit(); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->Append(); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->Delete(); }).first, Clase::Estado);
  EXPECT_EQ(t->State(), Dataset::Estado::Navegando);
  EXPECT_EQ(ErrorDe([&] { t->SetExclusive(true); }).first, Clase::Estado);
}

// --- Filters.

class PruebaFiltro : public PruebaTabla {
 protected:
  void SetUp() override {
    PruebaTabla::SetUp();
    Tabla::Crea(kDatos, "MOVS.DBF",
                {{"ID", 'N', 3, 0}, {"TIDOC_FO", 'C', 2, 0}, {"CONTROL", 'N', 8, 0}, {"FEDOC_F", 'D', 8, 0},
                 {"NUM_CONCEP", 'N', 2, 0}, {"CANTI_MI", 'N', 10, 2}, {"NOMBRE", 'C', 10, 0}});
    struct Fila {
      int id;
      const char* tipo;
      const char* control;
      const char* fecha;
      const char* concepto;
      const char* cantidad;
      const char* nombre;
    };
    const Fila filas[] = {
        {1, "CL", "123", "05/03/2024", "1", "2.5", "O'Brien"},
        {2, "CR", "0123", "05/03/2024", "2", "0", "ana"},
        {3, "CL", "1234", "06/03/2024", "0", "-1", "Ana"},
        {4, "FA", "", "05/03/2024", "", "", "Álvaro"},
        {5, "C", "123", "", "1", "10", "Beto"},
    };
    auto t = Abre("MOVS.DBF");
    for (const Fila& f : filas) {
      t->Append();
      t->FieldByName("ID").SetAsInteger(f.id);
      t->FieldByName("TIDOC_FO").SetAsString(f.tipo);
      t->FieldByName("CONTROL").SetAsString(f.control);
      t->FieldByName("FEDOC_F").SetAsString(f.fecha);
      t->FieldByName("NUM_CONCEP").SetAsString(f.concepto);
      t->FieldByName("CANTI_MI").SetAsString(f.cantidad);
      t->FieldByName("NOMBRE").SetAsString(QString::fromUtf8(f.nombre));
      t->Post();
    }
  }
};

TEST_F(PruebaFiltro, LosTextosDeFiltroEligenLasFilas) {
  struct Caso {
    const char* filtro;
    QStringList ids;
  };
  const Caso casos[] = {
      {"TIDOC_FO='CL'", {"1", "3"}},
      {"CONTROL='123'", {"1", "2", "5"}},
      {"CONTROL ='123'", {"1", "2", "5"}},
      {"FEDOC_F='05/03/2024' AND NUM_CONCEP<=1", {"1", "4"}},
      {"FEDOC_F='05/03/2024' AND NUM_CONCEP=2", {"2"}},
      {"CANTI_MI>0", {"1", "5"}},
      {"FEDOC_F>='05/03/2024' and FEDOC_F<='05/03/2024'", {"1", "2", "4"}},
      {"TIDOC_FO='C*'", {"1", "2", "3", "5"}},
      {"TIDOC_FO<>'C*'", {"4"}},
      {"TIDOC_FO='C'", {"5"}},
      {"NOMBRE>='A' and NOMBRE<='M'", {"3", "5"}},
      {"NOMBRE='O''Brien'", {"1"}},
      {"CONTROL=''", {"4"}},
      {"CONTROL<>'' AND NOT (TIDOC_FO='CL' OR ID=5)", {"2"}},
      {"(ID<2 OR ID>4) and CANTI_MI>=2.5", {"1", "5"}},
      {"id = 3 or Id = 4", {"3", "4"}},
  };
  auto t = Abre("MOVS.DBF");
  t->SetFiltered(true);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.filtro);
    t->SetFilter(c.filtro);
    EXPECT_EQ(Columna(*t, "ID"), c.ids);
    EXPECT_EQ(t->RecordCount(), c.ids.size());
    t->Last();
    if (!c.ids.isEmpty()) {
      EXPECT_EQ(t->FieldByName("ID").AsString(), c.ids.back());
    }
  }
  // OnFilterRecord joins the text; filtering off shows every row.
  t->SetFilter("TIDOC_FO='C*'");
  t->OnFilterRecord = [](Dataset& d) { return d.FieldByName("ID").AsInteger() != 2; };
  t->First();
  EXPECT_EQ(Columna(*t, "ID"), QStringList({"1", "3", "5"}));
  t->SetFiltered(false);
  EXPECT_EQ(t->RecordCount(), 5);
}

TEST_F(PruebaFiltro, UnFiltroMalEscritoDaSuErrorSinRomperNada) {
  struct Caso {
    const char* filtro;
    Clase clase;
    const char* enMensaje;
  };
  const Caso casos[] = {
      {"CONTROL='abc'", Clase::Conversion, "CONTROL"},
      {"FEDOC_F='31/02/2024'", Clase::Conversion, "FEDOC_F"},
      {"CANTI_MI>''", Clase::Conversion, "CANTI_MI"},
      {"NADA='x'", Clase::NoExiste, "NADA"},
      {"CANTI_MI >", Clase::Conversion, "MOVS.DBF"},
      {"(TIDOC_FO='CL'", Clase::Conversion, "MOVS.DBF"},
      {"TIDOC_FO='CL", Clase::Conversion, "MOVS.DBF"},
      {"TIDOC_FO='CL' CONTROL=1", Clase::Conversion, "MOVS.DBF"},
  };
  auto t = Abre("MOVS.DBF");
  t->SetFilter("ID>1");
  t->SetFiltered(true);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.filtro);
    const auto [clase, mensaje] = ErrorDe([&] { t->SetFilter(c.filtro); });
    EXPECT_EQ(clase, c.clase);
    EXPECT_TRUE(mensaje.contains(c.enMensaje)) << mensaje.toStdString();
    EXPECT_EQ(t->Filter(), "ID>1");  // the filter in force stays
    EXPECT_EQ(t->RecordCount(), 4);
  }
  // Set while closed, the error comes at Open.
  t->Close();
  t->SetFilter("CONTROL='abc'");
  EXPECT_EQ(ErrorDe([&] { t->Open(); }).first, Clase::Conversion);
  EXPECT_FALSE(t->Active());
}

TEST_F(PruebaFiltro, LocateExactoParcialYSinMayusculas) {
  struct Caso {
    const char* campos;
    QVariantList valores;
    db::OpcionesLocate opciones;
    int id;  // 0: not found
  };
  const Caso casos[] = {
      {"NOMBRE", {"ana"}, {}, 2},
      {"NOMBRE", {"Ana"}, {}, 3},
      {"NOMBRE", {"ANA"}, {true, false}, 2},
      {"NOMBRE", {"An"}, {}, 0},
      {"NOMBRE", {"An"}, {false, true}, 3},
      {"nombre", {QString::fromUtf8("ál")}, {true, true}, 4},
      {"TIDOC_FO;CONTROL", {"CL", "1234"}, {}, 3},
      {"TIDOC_FO;CONTROL", {"CL", 1234}, {}, 3},
      {"CONTROL", {"0123"}, {}, 1},
      {"CONTROL", {QVariant()}, {}, 4},
      {"FEDOC_F", {QDate(2024, 3, 6)}, {}, 3},
      {"FEDOC_F", {"06/03/2024"}, {}, 3},
      {"CANTI_MI", {-1.0}, {}, 3},
      {"ID", {"x"}, {}, 0},
  };
  auto t = Abre("MOVS.DBF");
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.campos) + " = " + c.valores[0].toString().toStdString());
    t->Last();
    EXPECT_EQ(t->Locate(c.campos, c.valores, c.opciones), c.id != 0);
    EXPECT_EQ(t->FieldByName("ID").AsInteger(), c.id != 0 ? c.id : 5);
  }
  // Under a filter only visible rows match.
  t->SetFilter("ID>2");
  t->SetFiltered(true);
  EXPECT_TRUE(t->Locate("NOMBRE", {"ANA"}, {true, false}));
  EXPECT_EQ(t->FieldByName("ID").AsInteger(), 3);
  EXPECT_EQ(ErrorDe([&] { t->Locate("NADA", {1}); }).first, Clase::NoExiste);
}

// --- Table operations.

TEST_F(PruebaDataset, VaciarYEmpacarNecesitanUsoExclusivo) {
  Tabla::Crea(kDatos, "NOTAS.DBF", {{"NUMERO", 'N', 4, 0}, {"NOTA", 'M', 10, 0}});
  {
    auto t = Abre("NOTAS.DBF");
    for (int i = 1; i <= 5; ++i) {
      t->Append();
      t->FieldByName("NUMERO").SetAsInteger(i);
      t->FieldByName("NOTA").SetAsString(QString("nota %1").arg(i));
      t->Post();
    }
    t->First();
    t->Delete();
    t->Next();
    t->Delete();  // rows 1 and 3
    EXPECT_EQ(ErrorDe([&] { t->Pack(); }).first, Clase::EnUso);
    EXPECT_EQ(ErrorDe([&] { t->EmptyTable(); }).first, Clase::EnUso);
  }
  auto t = Abre("NOTAS.DBF", true);
  t->Pack();
  EXPECT_EQ(Numeros(*t), QStringList({"2", "4", "5"}));
  EXPECT_EQ(Columna(*t, "NOTA"), QStringList({"nota 2", "nota 4", "nota 5"}));
  t->Last();
  EXPECT_EQ(t->RecNo(), 3);
  EXPECT_EQ(static_cast<quint8>(Bytes("NOTAS.DBF")[4]), 3);
  t->Close();
  // Closed, it opens itself exclusively; it fails while another has it open.
  auto otra = Abre("NOTAS.DBF");
  EXPECT_EQ(ErrorDe([&] { t->EmptyTable(); }).first, Clase::EnUso);
  otra->Close();
  t->EmptyTable();
  EXPECT_FALSE(t->Active());
  t = Abre("NOTAS.DBF");
  EXPECT_TRUE(t->IsEmpty());
  EXPECT_EQ(Bytes("NOTAS.DBF").size(), 32 + 64 + 1 + 1);
  EXPECT_EQ(Bytes("NOTAS.DBT").size(), 512);
  t->Append();
  t->FieldByName("NOTA").SetAsString("otra vez");
  t->Post();
  EXPECT_EQ(t->RecNo(), 1);
  EXPECT_EQ(t->FieldByName("NOTA").AsString(), "otra vez");
}

TEST_F(PruebaDataset, CrearCopiarYBorrarTablas) {
  struct Caso {
    QVector<db::DefCampo> campos;
    const char* enMensaje;
  };
  const Caso malos[] = {
      {{}, "no tiene campos"},
      {{{"NOMBRE_LARGO", 'C', 5, 0}}, "NOMBRE_LARGO"},
      {{{"1A", 'C', 5, 0}}, "1A"},
      {{{"A", 'C', 0, 0}}, "A"},
      {{{"A", 'C', 255, 0}}, "A"},
      {{{"A", 'N', 21, 0}}, "A"},
      {{{"A", 'N', 5, 4}}, "A"},
      {{{"A", 'X', 5, 0}}, "A"},
      {{{"A", 'C', 5, 0}, {"a", 'N', 5, 0}}, "repetido"},
  };
  for (const Caso& c : malos) {
    SCOPED_TRACE(c.enMensaje);
    const auto [clase, mensaje] = ErrorDe([&] { Tabla::Crea(kDatos, "MALA.DBF", c.campos); });
    EXPECT_EQ(clase, Clase::NoCabe);
    EXPECT_TRUE(mensaje.contains("MALA.DBF") && mensaje.contains(c.enMensaje)) << mensaje.toStdString();
  }
  EXPECT_FALSE(Tabla::Existe(kDatos, "MALA.DBF"));

  auto origen = Abre("CLIENTES.DBF");
  Agrega(*origen, {{"a", 1}, {"b", 2}, {"c", 3}});
  Tabla::CreaComo(kDatos, "COPIA", *origen);
  EXPECT_TRUE(Tabla::Existe(kDatos, "copia.dbf"));
  Tabla::Crea(kDatos, "OTRA.DBF", {{"numero", 'N', 4, 0}, {"EXTRA", 'C', 3, 0}, {"NOMBRE", 'C', 1, 0}});
  auto copia = Abre("COPIA.DBF");
  auto otra = Abre("OTRA.DBF");
  EXPECT_EQ(copia->Definiciones().size(), 5);
  EXPECT_EQ(copia->NombresCampos(), origen->NombresCampos());
  origen->Last();
  EXPECT_EQ(Tabla::CopiaRegistros(*origen, *copia, false), 1);
  EXPECT_EQ(Tabla::CopiaRegistros(*origen, *copia, true), 3);
  EXPECT_EQ(Numeros(*copia), QStringList({"3", "1", "2", "3"}));
  // Fields matched by name; a value that does not fit stops the copy and
  // leaves no half row.
  EXPECT_EQ(Tabla::CopiaRegistros(*origen, *otra, false), 1);
  origen->First();
  origen->Edit();
  origen->FieldByName("NUMERO").SetAsInteger(123456);
  origen->Post();
  EXPECT_EQ(ErrorDe([&] { Tabla::CopiaRegistros(*origen, *otra, true); }).first, Clase::NoCabe);
  EXPECT_EQ(otra->RecordCount(), 1);
  EXPECT_EQ(otra->FieldByName("NUMERO").AsString(), "3");
  EXPECT_TRUE(otra->FieldByName("EXTRA").IsNull());

  // A closed destination is made anew with the source's fields.
  Tabla aux;
  aux.SetCarpeta(fs::CarpetaDelPrograma());
  aux.SetNombreTabla("ClieAux.dbf");
  origen->Last();
  EXPECT_EQ(Tabla::CopiaRegistros(*origen, aux, false), 1);
  EXPECT_EQ(Tabla::CopiaRegistros(*origen, aux, false), 1);
  EXPECT_FALSE(aux.Active());
  aux.Open();
  EXPECT_EQ(aux.RecordCount(), 1);
  EXPECT_EQ(aux.Definiciones().size(), 5);
  EXPECT_EQ(aux.FieldByName("NUMERO").AsString(), "3");
  aux.Close();

  // Deleting: refused while open elsewhere; companions go with the table.
  Tabla::Crea(kDatos, "CONMEMO.DBF", {{"NOTA", 'M', 10, 0}});
  EXPECT_TRUE(fs::ExisteArchivo(fs::Une(kDatos, "CONMEMO.DBT")));
  {
    auto abierta = Abre("CONMEMO.DBF");
    EXPECT_EQ(ErrorDe([&] { Tabla::Crea(kDatos, "CONMEMO.DBF", {{"N", 'N', 2, 0}}); }).first, Clase::EnUso);
    EXPECT_TRUE(fs::ExisteArchivo(fs::Une(kDatos, "CONMEMO.DBT")));
  }
  EXPECT_EQ(ErrorDe([&] { Tabla::Borra(kDatos, "COPIA.DBF"); }).first, Clase::EnUso);
  copia->Close();
  Tabla::Borra(kDatos, "COPIA.DBF");
  Tabla::Borra(kDatos, "conmemo");
  EXPECT_FALSE(Tabla::Existe(kDatos, "COPIA.DBF"));
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kDatos, "CONMEMO.DBT")));
  EXPECT_EQ(ErrorDe([&] { Tabla::Borra(kDatos, "COPIA.DBF"); }).first, Clase::NoExiste);
  // Creating over a table someone has open is refused.
  EXPECT_EQ(ErrorDe([&] { CreaClientes(); }).first, Clase::EnUso);
}

TEST_F(PruebaDataset, UnaTablaSinIndicesLoDice) {
  auto t = Abre("CLIENTES.DBF");
  Agrega(*t, {{"a", 1}});
  EXPECT_TRUE(t->IndexNames().isEmpty());
  EXPECT_EQ(ErrorDe([&] { t->SetIndexName("ICLACLI"); }),
            std::make_pair(Clase::NoExiste, QString("La tabla CLIENTES.DBF no tiene el índice ICLACLI")));
  EXPECT_EQ(t->IndexName(), "");
  EXPECT_EQ(ErrorDe([&] { t->FindKey({1}); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->SetRange({1}, {2}); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->DeleteIndex("ICLACLI"); }).first, Clase::EnUso);
  t->Close();
  t->SetIndexName("ICLACLI");
  EXPECT_EQ(ErrorDe([&] { t->Open(); }).second, "La tabla CLIENTES.DBF no tiene el índice ICLACLI");
  EXPECT_FALSE(t->Active());
}
