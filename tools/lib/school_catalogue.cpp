#include "tools/lib/school_catalogue.h"

#include <array>

namespace velmora::tools::catalogue {

namespace {

// The course bits of a list of course numbers: In("13") is first and third year.
constexpr unsigned In(std::string_view numbers) {
  unsigned mask = 0;
  for (char c : numbers) mask |= 1u << (c - '0');
  return mask;
}

using K = RoomKind;

// clang-format off: one subject a line reads best.
constexpr Subject kEso[] = {
    {"Valencià: Llengua i Literatura", "Valenciano: Lengua y Literatura", 3, Valencia, K::Home,
     In("1234"), true},
    {"Llengua Castellana i Literatura", "Lengua Castellana y Literatura", 3, Castella, K::Home,
     In("1234"), true},
    {"Anglés", "Inglés", 3, Angles, K::Home, In("1234"), true},
    {"Matemàtiques", "Matemáticas", 4, Matematiques, K::Home, In("1234"), true},
    {"Geografia i Història", "Geografía e Historia", 3, GeoHistoria, K::Home, In("1234"), true},
    {"Biologia i Geologia", "Biología y Geología", 3, Biologia, K::Lab, In("13"), true},
    {"Física i Química", "Física y Química", 3, FisicaQuimica, K::Lab, In("23"), true},
    {"Educació Física", "Educación Física", 2, EducFisica, K::Gym, In("1234"), true},
    {"Música", "Música", 2, Musica, K::Music, In("12"), true},
    {"Educació Plàstica, Visual i Audiovisual", "Educación Plástica, Visual y Audiovisual", 2,
     Dibuix, K::Art, In("12"), true},
    {"Tecnologia i Digitalització", "Tecnología y Digitalización", 2, Tecnologia, K::Workshop,
     In("123"), true},
    {"Valors Cívics i Ètics", "Valores Cívicos y Éticos", 2, Filosofia, K::Home, In("3"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("1234"), true},
    {"Religió", "Religión", 2, Religio, K::Home, In("1234"), false},
    {"Atenció Educativa", "Atención Educativa", 2, Filosofia, K::Home, In("1234"), false},
    {"Francés", "Francés", 2, Frances, K::Home, In("1234"), false},
    {"Alemany", "Alemán", 2, Frances, K::Home, In("1234"), false},
    {"Taller de Teatre", "Taller de Teatro", 2, Valencia, K::Other, In("12"), false},
    {"Oratòria", "Oratoria", 2, Castella, K::Home, In("12"), false},
    {"Reforç de Matemàtiques", "Refuerzo de Matemáticas", 2, Matematiques, K::Split, In("12"),
     false},
    {"Reforç de Llengua", "Refuerzo de Lengua", 2, Valencia, K::Split, In("12"), false},
    {"Projecte Interdisciplinari", "Proyecto Interdisciplinar", 2, Biologia, K::Home, In("123"),
     false},
    {"Cultura Clàssica", "Cultura Clásica", 2, Classiques, K::Home, In("234"), false},
    {"Emprenedoria", "Emprendimiento", 2, Economia, K::Home, In("3"), false},
    {"Robòtica", "Robótica", 2, Tecnologia, K::Workshop, In("23"), false},
    {"Comunicació Audiovisual", "Comunicación Audiovisual", 2, Dibuix, K::Computers, In("3"),
     false},
    {"Educació per a la Salut", "Educación para la Salud", 2, Biologia, K::Home, In("2"), false},
    {"Biologia i Geologia", "Biología y Geología", 3, Biologia, K::Lab, In("4"), false},
    {"Física i Química", "Física y Química", 3, FisicaQuimica, K::Lab, In("4"), false},
    {"Llatí", "Latín", 3, Classiques, K::Home, In("4"), false},
    {"Economia i Emprenedoria", "Economía y Emprendimiento", 3, Economia, K::Home, In("4"), false},
    {"Tecnologia", "Tecnología", 3, Tecnologia, K::Workshop, In("4"), false},
    {"Digitalització", "Digitalización", 3, Tecnologia, K::Computers, In("4"), false},
    {"Formació i Orientació Personal i Professional",
     "Formación y Orientación Personal y Profesional", 3, Economia, K::Home, In("4"), false},
    {"Expressió Artística", "Expresión Artística", 3, Dibuix, K::Art, In("4"), false},
    {"Música", "Música", 3, Musica, K::Music, In("4"), false},
    {"Filosofia", "Filosofía", 3, Filosofia, K::Home, In("4"), false},
};

constexpr Subject kPdc[] = {
    {"Àmbit Lingüístic i Social", "Ámbito Lingüístico y Social", 5, GeoHistoria, K::Home, In("3"),
     true},
    {"Àmbit Científic i Tecnològic", "Ámbito Científico y Tecnológico", 5, Matematiques, K::Home,
     In("3"), true},
    {"Àmbit de Llengua Estrangera", "Ámbito de Lengua Extranjera", 3, Angles, K::Home, In("3"),
     true},
    {"Àmbit Pràctic", "Ámbito Práctico", 4, Tecnologia, K::Workshop, In("3"), true},
    {"Educació Física", "Educación Física", 2, EducFisica, K::Gym, In("3"), true},
    {"Tecnologia i Digitalització", "Tecnología y Digitalización", 2, Tecnologia, K::Workshop,
     In("3"), true},
    {"Valors Cívics i Ètics", "Valores Cívicos y Éticos", 2, Filosofia, K::Home, In("3"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("3"), true},
    {"Religió", "Religión", 2, Religio, K::Home, In("3"), false},
    {"Atenció Educativa", "Atención Educativa", 2, Filosofia, K::Home, In("3"), false},
};

constexpr Subject kBat[] = {
    {"Valencià: Llengua i Literatura I", "Valenciano: Lengua y Literatura I", 3, Valencia, K::Home,
     In("1"), true},
    {"Llengua Castellana i Literatura I", "Lengua Castellana y Literatura I", 3, Castella, K::Home,
     In("1"), true},
    {"Anglés I", "Inglés I", 3, Angles, K::Home, In("1"), true},
    {"Filosofia", "Filosofía", 3, Filosofia, K::Home, In("1"), true},
    {"Educació Física", "Educación Física", 2, EducFisica, K::Gym, In("1"), true},
    {"Valencià: Llengua i Literatura II", "Valenciano: Lengua y Literatura II", 3, Valencia,
     K::Home, In("2"), true},
    {"Llengua Castellana i Literatura II", "Lengua Castellana y Literatura II", 3, Castella,
     K::Home, In("2"), true},
    {"Anglés II", "Inglés II", 3, Angles, K::Home, In("2"), true},
    {"Història d'Espanya", "Historia de España", 3, GeoHistoria, K::Home, In("2"), true},
    {"Història de la Filosofia", "Historia de la Filosofía", 2, Filosofia, K::Home, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
    {"Matemàtiques I", "Matemáticas I", 4, Matematiques, K::Home, In("1"), false},
    {"Matemàtiques Aplicades a les Ciències Socials I",
     "Matemáticas Aplicadas a las Ciencias Sociales I", 4, Matematiques, K::Home, In("1"), false},
    {"Física i Química", "Física y Química", 4, FisicaQuimica, K::Lab, In("1"), false},
    {"Biologia, Geologia i Ciències Ambientals", "Biología, Geología y Ciencias Ambientales", 4,
     Biologia, K::Lab, In("1"), false},
    {"Dibuix Tècnic I", "Dibujo Técnico I", 4, Dibuix, K::Art, In("1"), false},
    {"Tecnologia i Enginyeria I", "Tecnología e Ingeniería I", 4, Tecnologia, K::Workshop, In("1"),
     false},
    {"Llatí I", "Latín I", 4, Classiques, K::Home, In("1"), false},
    {"Grec I", "Griego I", 4, Classiques, K::Home, In("1"), false},
    {"Economia", "Economía", 4, Economia, K::Home, In("1"), false},
    {"Història del Món Contemporani", "Historia del Mundo Contemporáneo", 4, GeoHistoria, K::Home,
     In("1"), false},
    {"Literatura Universal", "Literatura Universal", 4, Castella, K::Home, In("1"), false},
    {"Dibuix Artístic I", "Dibujo Artístico I", 4, Dibuix, K::Art, In("1"), false},
    {"Cultura Audiovisual", "Cultura Audiovisual", 4, Dibuix, K::Computers, In("1"), false},
    {"Volum", "Volumen", 4, Dibuix, K::Art, In("1"), false},
    {"Anatomia Aplicada", "Anatomía Aplicada", 2, Biologia, K::Lab, In("1"), false},
    {"Tecnologies de la Informació i la Comunicació I",
     "Tecnologías de la Información y la Comunicación I", 2, Tecnologia, K::Computers, In("1"),
     false},
    {"Francés I", "Francés I", 2, Frances, K::Home, In("1"), false},
    {"Alemany I", "Alemán I", 2, Frances, K::Home, In("1"), false},
    {"Cultura Científica", "Cultura Científica", 2, Biologia, K::Home, In("1"), false},
    {"Projecte d'Investigació", "Proyecto de Investigación", 2, GeoHistoria, K::Home, In("1"),
     false},
    {"Matemàtiques II", "Matemáticas II", 4, Matematiques, K::Home, In("2"), false},
    {"Matemàtiques Aplicades a les Ciències Socials II",
     "Matemáticas Aplicadas a las Ciencias Sociales II", 4, Matematiques, K::Home, In("2"), false},
    {"Física", "Física", 4, FisicaQuimica, K::Lab, In("2"), false},
    {"Química", "Química", 4, FisicaQuimica, K::Lab, In("2"), false},
    {"Biologia", "Biología", 4, Biologia, K::Lab, In("2"), false},
    {"Dibuix Tècnic II", "Dibujo Técnico II", 4, Dibuix, K::Art, In("2"), false},
    {"Tecnologia i Enginyeria II", "Tecnología e Ingeniería II", 4, Tecnologia, K::Workshop,
     In("2"), false},
    {"Llatí II", "Latín II", 4, Classiques, K::Home, In("2"), false},
    {"Grec II", "Griego II", 4, Classiques, K::Home, In("2"), false},
    {"Empresa i Disseny de Models de Negoci", "Empresa y Diseño de Modelos de Negocio", 4, Economia,
     K::Home, In("2"), false},
    {"Geografia", "Geografía", 4, GeoHistoria, K::Home, In("2"), false},
    {"Història de l'Art", "Historia del Arte", 4, GeoHistoria, K::Home, In("2"), false},
    {"Geologia i Ciències Ambientals", "Geología y Ciencias Ambientales", 4, Biologia, K::Lab,
     In("2"), false},
    {"Dibuix Artístic II", "Dibujo Artístico II", 4, Dibuix, K::Art, In("2"), false},
    {"Disseny", "Diseño", 4, Dibuix, K::Art, In("2"), false},
    {"Fonaments Artístics", "Fundamentos Artísticos", 4, Dibuix, K::Art, In("2"), false},
    {"Tecnologies de la Informació i la Comunicació II",
     "Tecnologías de la Información y la Comunicación II", 2, Tecnologia, K::Computers, In("2"),
     false},
    {"Francés II", "Francés II", 2, Frances, K::Home, In("2"), false},
    {"Alemany II", "Alemán II", 2, Frances, K::Home, In("2"), false},
    {"Fonaments d'Administració i Gestió", "Fundamentos de Administración y Gestión", 2, Economia,
     K::Home, In("2"), false},
    {"Història de la Música i de la Dansa", "Historia de la Música y de la Danza", 2, Musica,
     K::Music, In("2"), false},
    {"Religió", "Religión", 2, Religio, K::Home, In("12"), false},
    {"Psicologia", "Psicología", 2, Filosofia, K::Home, In("12"), false},
};

constexpr Subject kSmx[] = {
    {"Muntatge i Manteniment d'Equips", "Montaje y Mantenimiento de Equipos", 5, Informatica,
     K::Computers, In("1"), true},
    {"Sistemes Operatius Monolloc", "Sistemas Operativos Monopuesto", 4, Informatica, K::Computers,
     In("1"), true},
    {"Aplicacions Ofimàtiques", "Aplicaciones Ofimáticas", 5, Informatica, K::Computers, In("1"),
     true},
    {"Xarxes Locals", "Redes Locales", 5, Informatica, K::Computers, In("1"), true},
    {"Formació i Orientació Laboral", "Formación y Orientación Laboral", 3, Fol, K::Home, In("1"),
     true},
    {"Anglés Professional", "Inglés Profesional", 2, Angles, K::Home, In("1"), true},
    {"Digitalització Aplicada als Sectors Productius",
     "Digitalización Aplicada a los Sectores Productivos", 2, Informatica, K::Computers, In("1"),
     true},
    {"Sistemes Operatius en Xarxa", "Sistemas Operativos en Red", 5, Informatica, K::Computers,
     In("2"), true},
    {"Seguretat Informàtica", "Seguridad Informática", 4, Informatica, K::Computers, In("2"), true},
    {"Serveis en Xarxa", "Servicios en Red", 5, Informatica, K::Computers, In("2"), true},
    {"Aplicacions Web", "Aplicaciones Web", 4, Informatica, K::Computers, In("2"), true},
    {"Empresa i Iniciativa Emprenedora", "Empresa e Iniciativa Emprendedora", 3, Fol, K::Home,
     In("2"), true},
    {"Sostenibilitat Aplicada al Sistema Productiu",
     "Sostenibilidad Aplicada al Sistema Productivo", 2, Fol, K::Home, In("2"), true},
    {"Itinerari Personal per a l'Ocupabilitat", "Itinerario Personal para la Empleabilidad", 3, Fol,
     K::Home, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
    {"Programació Bàsica", "Programación Básica", 2, Informatica, K::Computers, In("1"), false},
};

constexpr Subject kAfi[] = {
    {"Gestió de la Documentació Jurídica i Empresarial",
     "Gestión de la Documentación Jurídica y Empresarial", 3, Administracio, K::Home, In("1"),
     true},
    {"Recursos Humans i Responsabilitat Social Corporativa",
     "Recursos Humanos y Responsabilidad Social Corporativa", 3, Administracio, K::Home, In("1"),
     true},
    {"Ofimàtica i Procés de la Informació", "Ofimática y Proceso de la Información", 5,
     Administracio, K::Computers, In("1"), true},
    {"Procés Integral de l'Activitat Comercial", "Proceso Integral de la Actividad Comercial", 5,
     Administracio, K::Home, In("1"), true},
    {"Comunicació i Atenció al Client", "Comunicación y Atención al Cliente", 4, Administracio,
     K::Home, In("1"), true},
    {"Formació i Orientació Laboral", "Formación y Orientación Laboral", 3, Fol, K::Home, In("1"),
     true},
    {"Anglés Professional", "Inglés Profesional", 2, Angles, K::Home, In("1"), true},
    {"Gestió de Recursos Humans", "Gestión de Recursos Humanos", 4, Administracio, K::Home, In("2"),
     true},
    {"Gestió Financera", "Gestión Financiera", 5, Administracio, K::Home, In("2"), true},
    {"Comptabilitat i Fiscalitat", "Contabilidad y Fiscalidad", 5, Administracio, K::Computers,
     In("2"), true},
    {"Gestió Logística i Comercial", "Gestión Logística y Comercial", 4, Administracio, K::Home,
     In("2"), true},
    {"Simulació Empresarial", "Simulación Empresarial", 5, Administracio, K::Computers, In("2"),
     true},
    {"Projecte d'Administració i Finances", "Proyecto de Administración y Finanzas", 2,
     Administracio, K::Home, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
};

constexpr Subject kFpb[] = {
    {"Muntatge i Manteniment de Sistemes i Components Informàtics",
     "Montaje y Mantenimiento de Sistemas y Componentes Informáticos", 5, Informatica, K::Computers,
     In("1"), true},
    {"Operacions Auxiliars per a la Configuració i l'Explotació",
     "Operaciones Auxiliares para la Configuración y la Explotación", 5, Informatica, K::Computers,
     In("1"), true},
    {"Comunicació i Societat I", "Comunicación y Sociedad I", 5, Valencia, K::Home, In("1"), true},
    {"Ciències Aplicades I", "Ciencias Aplicadas I", 5, Matematiques, K::Home, In("1"), true},
    {"Prevenció de Riscos Laborals", "Prevención de Riesgos Laborales", 2, Fol, K::Home, In("1"),
     true},
    {"Instal·lació i Manteniment de Xarxes per a Transmissió de Dades",
     "Instalación y Mantenimiento de Redes para Transmisión de Datos", 5, Informatica, K::Computers,
     In("2"), true},
    {"Ofimàtica i Arxiu de Documents", "Ofimática y Archivo de Documentos", 5, Informatica,
     K::Computers, In("2"), true},
    {"Comunicació i Societat II", "Comunicación y Sociedad II", 5, Valencia, K::Home, In("2"),
     true},
    {"Ciències Aplicades II", "Ciencias Aplicadas II", 5, Matematiques, K::Home, In("2"), true},
    {"Itinerari Personal per a l'Ocupabilitat", "Itinerario Personal para la Empleabilidad", 2, Fol,
     K::Home, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
};

// Courses the school offers in its catalogue but that have no group this year.
constexpr Subject kGad[] = {
    {"Comunicació Empresarial i Atenció al Client",
     "Comunicación Empresarial y Atención al Cliente", 4, Administracio, K::Home, In("1"), true},
    {"Operacions Administratives de Compravenda", "Operaciones Administrativas de Compraventa", 4,
     Administracio, K::Home, In("1"), true},
    {"Empresa i Administració", "Empresa y Administración", 3, Administracio, K::Home, In("1"),
     true},
    {"Tractament Informàtic de la Informació", "Tratamiento Informático de la Información", 5,
     Administracio, K::Computers, In("1"), true},
    {"Tècnica Comptable", "Técnica Contable", 3, Administracio, K::Home, In("1"), true},
    {"Formació i Orientació Laboral", "Formación y Orientación Laboral", 3, Fol, K::Home, In("1"),
     true},
    {"Operacions Administratives de Recursos Humans",
     "Operaciones Administrativas de Recursos Humanos", 4, Administracio, K::Home, In("2"), true},
    {"Tractament de la Documentació Comptable", "Tratamiento de la Documentación Contable", 5,
     Administracio, K::Home, In("2"), true},
    {"Empresa a l'Aula", "Empresa en el Aula", 5, Administracio, K::Computers, In("2"), true},
    {"Operacions Auxiliars de Gestió de Tresoreria",
     "Operaciones Auxiliares de Gestión de Tesorería", 4, Administracio, K::Home, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
};

constexpr Subject kDaw[] = {
    {"Sistemes Informàtics", "Sistemas Informáticos", 5, Informatica, K::Computers, In("1"), true},
    {"Bases de Dades", "Bases de Datos", 5, Informatica, K::Computers, In("1"), true},
    {"Programació", "Programación", 5, Informatica, K::Computers, In("1"), true},
    {"Llenguatges de Marques i Sistemes de Gestió d'Informació",
     "Lenguajes de Marcas y Sistemas de Gestión de Información", 4, Informatica, K::Computers,
     In("1"), true},
    {"Entorns de Desenvolupament", "Entornos de Desarrollo", 3, Informatica, K::Computers, In("1"),
     true},
    {"Desenvolupament Web en Entorn Client", "Desarrollo Web en Entorno Cliente", 5, Informatica,
     K::Computers, In("2"), true},
    {"Desenvolupament Web en Entorn Servidor", "Desarrollo Web en Entorno Servidor", 5, Informatica,
     K::Computers, In("2"), true},
    {"Desplegament d'Aplicacions Web", "Despliegue de Aplicaciones Web", 3, Informatica,
     K::Computers, In("2"), true},
    {"Disseny d'Interfícies Web", "Diseño de Interfaces Web", 4, Informatica, K::Computers, In("2"),
     true},
    {"Projecte Intermodular", "Proyecto Intermodular", 2, Informatica, K::Computers, In("2"), true},
    {"Tutoria", "Tutoría", 1, Tutor, K::Home, In("12"), true},
};

constexpr Subject kCags[] = {
    {"Llengua Castellana", "Lengua Castellana", 3, Castella, K::Home, In("1"), true},
    {"Valencià", "Valenciano", 3, Valencia, K::Home, In("1"), true},
    {"Matemàtiques", "Matemáticas", 3, Matematiques, K::Home, In("1"), true},
    {"Anglés", "Inglés", 3, Angles, K::Home, In("1"), true},
    {"Economia de l'Empresa", "Economía de la Empresa", 3, Economia, K::Home, In("1"), true},
};

// The courses, in document order. Course 3 hangs from third year of ESO.
constexpr Course kCourses[] = {
    {"1ESO", "1r ESO", "3", -1, 8, "M", kEso, 1, false},
    {"2ESO", "2n ESO", "3", -1, 8, "M", kEso, 2, false},
    {"3ESO", "3r ESO", "3", -1, 7, "M", kEso, 3, false},
    {"3PDC", "3r PDC", "3", 2, 1, "M", kPdc, 3, false},
    {"4ESO", "4t ESO", "3", -1, 7, "M", kEso, 4, false},
    {"1BAT", "1r Batxillerat", "5", -1, 5, "M", kBat, 1, false},
    {"2BAT", "2n Batxillerat", "5", -1, 5, "M", kBat, 2, false},
    {"1BATN", "1r Batxillerat nocturn", "5", -1, 1, "V", kBat, 1, false},
    {"2BATN", "2n Batxillerat nocturn", "5", -1, 1, "V", kBat, 2, false},
    {"1SMX", "1r SMX", "7", -1, 2, "M", kSmx, 1, true},
    {"2SMX", "2n SMX", "7", -1, 2, "M", kSmx, 2, true},
    {"1AFI", "1r AFI", "8", -1, 2, "V", kAfi, 1, true},
    {"2AFI", "2n AFI", "8", -1, 2, "V", kAfi, 2, true},
    {"1FPB", "1r FPB", "6", -1, 1, "M", kFpb, 1, false},
    {"2FPB", "2n FPB", "6", -1, 1, "M", kFpb, 2, false},
    {"1GAD", "1r GAD", "7", -1, 0, "M", kGad, 1, true},
    {"2GAD", "2n GAD", "7", -1, 0, "M", kGad, 2, true},
    {"1DAW", "1r DAW", "8", -1, 0, "V", kDaw, 1, true},
    {"2DAW", "2n DAW", "8", -1, 0, "V", kDaw, 2, true},
    // No course number and no parent: Tabulix's course table leaves it out.
    {"CAGS", "Curs d'accés a grau superior", "8", -1, 0, "V", kCags, 1, false},
};

// clang-format on

constexpr Ensenanza kEnsenanzas[] = {
    {"3", "ESO"}, {"5", "BAT"}, {"6", "FPB"}, {"7", "CFGM"}, {"8", "CFGS"},
};

constexpr Room kSpecialRooms[] = {
    {"LAB1", "Laboratori de Física & Química", K::Lab},
    {"LAB2", "Laboratori de Biologia", K::Lab},
    {"INF1", "Aula d'Informàtica 1", K::Computers},
    {"INF2", "Aula d'Informàtica 2", K::Computers},
    {"INF3", "Aula d'Informàtica 3", K::Computers},
    {"TEC1", "Taller de Tecnologia", K::Workshop},
    {"MUS1", "Aula de Música", K::Music},
    {"PLA1", "Aula de Plàstica", K::Art},
    {"GIM", "Gimnàs", K::Gym},
    {"PIS", "Pista poliesportiva", K::Gym},
    {"BIB", "Biblioteca", K::Other},
    {"SUM", "Saló d’actes", K::Other},
    {"DES1", "Aula de desdoblament 1", K::Split},
    {"DES2", "Aula de desdoblament 2", K::Split},
    {"DES3", "Aula de desdoblament 3", K::Split},
    {"DES4", "Aula de desdoblament 4", K::Split},
    {"", "Pati", K::Other},
    {"", "Sala del professorat", K::Other},
};

// Two codes end in the same three characters, as happens in ITACA.
constexpr Ocupacion kOcupaciones[] = {
    {"900041", "Guàrdia", "Guardia"},
    {"900042", "Guàrdia de pati", "Guardia de recreo"},
    {"900043", "Biblioteca", "Biblioteca"},
    {"900044", "Reunió de departament", "Reunión de departamento"},
    {"900045", "Cap de departament", "Jefatura de departamento"},
    {"900046", "Coordinació TIC", "Coordinación TIC"},
    {"900047", "Atenció a famílies", "Atención a familias"},
    {"900048", "Reunió d'equip educatiu", "Reunión de equipo educativo"},
    {"800041", "Coordinació de convivència", "Coordinación de convivencia"},
    {"900050", "Activitats extraescolars", "Actividades extraescolares"},
    {"900051", "Pla de lectura", "Plan de lectura"},
    {"900052", "Orientació educativa", "Orientación educativa"},
};

constexpr Session kMorning[] = {
    {"08:00", "08:55"}, {"08:55", "09:50"}, {"09:50", "10:45"}, {"11:15", "12:10"},
    {"12:10", "13:05"}, {"13:05", "14:00"}, {"14:00", "14:55"},
};

constexpr Session kAfternoon[] = {
    {"15:00", "15:55"}, {"15:55", "16:50"}, {"16:50", "17:45"},
    {"18:05", "19:00"}, {"19:00", "19:55"}, {"19:55", "20:50"},
};

constexpr Template kTemplates[] = {
    {"MAT", "Horari de matí", "Horario de mañana", "M", 1, kMorning},
    {"VES", "Horari de vesprada", "Horario de tarde", "V", 8, kAfternoon},
};

constexpr std::string_view kSurnames[] = {
    "García",    "Martínez", "López",     "Sánchez",   "Pérez",     "Gómez",        "Martín",
    "Jiménez",   "Ruiz",     "Hernández", "Díaz",      "Moreno",    "Muñoz",        "Álvarez",
    "Romero",    "Navarro",  "Torres",    "Domínguez", "Gil",       "Vázquez",      "Serrano",
    "Ramos",     "Blanco",   "Castro",    "Ortega",    "Rubio",     "Marín",        "Sanz",
    "Núñez",     "Iglesias", "Medina",    "Garrido",   "Cortés",    "Castillo",     "Santos",
    "Lozano",    "Cano",     "Prieto",    "Méndez",    "Calvo",     "Ferrer",       "Peris",
    "Sanchis",   "Llorca",   "Bañuls",    "Climent",   "Ibáñez",    "Soler",        "Puig",
    "Vidal",     "Mas",      "Peiró",     "Bellver",   "Ferrándiz", "Císcar",       "Grau",
    "Boix",      "Sempere",  "Pons",      "Roig",      "Esteve",    "Giner",        "Ribes",
    "Tormo",     "Camps",    "Català",    "Martí",     "Fuster",    "Miralles",     "Gisbert",
    "Baldó",     "Vañó",     "Albiñana",  "Ivars",     "Úbeda",     "de la Fuente", "del Río",
    "de Miguel",
};

constexpr std::string_view kGivenNames[] = {
    "Josep",   "Vicent",     "Joan",       "Pau",         "Jordi",     "Andreu",
    "Enric",   "Francesc",   "Xavier",     "Carles",      "Miquel",    "Antoni",
    "José",    "Juan",       "Manuel",     "Francisco",   "David",     "Javier",
    "Daniel",  "Carlos",     "Alejandro",  "Pablo",       "Sergio",    "Rubén",
    "Raúl",    "Íñigo",      "Òscar",      "Maria",       "Àngela",    "Núria",
    "Laia",    "Marta",      "Anna",       "Montserrat",  "Empar",     "Amparo",
    "Carmen",  "Ana",        "Lucía",      "Elena",       "Isabel",    "Pilar",
    "Rosa",    "Teresa",     "Cristina",   "Beatriz",     "Sílvia",    "Mireia",
    "Neus",    "Immaculada", "Maria José", "Mari Carmen", "José Luis", "Juan Carlos",
    "Inés",    "Sofía",      "Lourdes",    "Begoña",      "Rocío",     "Irene",
    "Ángeles", "Èlia",
};

constexpr ForeignName kForeignNames[] = {
    {"O'Connor", "Mary"}, {"Müller", "Katrin"}, {"Dubois", "Claire"},
    {"Smith", "John"},    {"Rossi", "Giulia"},  {"Novak", "Petra"},
};

}  // namespace

std::span<const Ensenanza> Ensenanzas() {
  return kEnsenanzas;
}
std::span<const Course> Courses() {
  return kCourses;
}
std::span<const Room> SpecialRooms() {
  return kSpecialRooms;
}
std::span<const Ocupacion> Ocupaciones() {
  return kOcupaciones;
}
std::span<const Template> Templates() {
  return kTemplates;
}
std::span<const std::string_view> Surnames() {
  return kSurnames;
}
std::span<const std::string_view> GivenNames() {
  return kGivenNames;
}
std::span<const ForeignName> ForeignNames() {
  return kForeignNames;
}

std::string_view EnsenanzaOf(Dept dept) {
  switch (dept) {
    case Informatica:
      return "7";
    case Administracio:
    case Fol:
      return "8";
    case Classiques:
    case Filosofia:
    case Economia:
      return "5";
    default:
      return "3";
  }
}

}  // namespace velmora::tools::catalogue
