// The Japanese faces: the choice among installed families, and the faces the
// window and the printed sheet end up with in each locale, read back from
// PDFs with pdffonts.

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <optional>
#include <vector>

#include "artifact_dir.h"
#include "japanese_families.h"
#include "run_process.h"

using Families = std::vector<JapaneseFamily>;
Q_DECLARE_METATYPE(Families)

namespace {

// Absolute: the probes and their fontconfig setups run in other folders.
const QString kRoot = QDir(QStringLiteral(KAKEMARU_ARTIFACT_DIR)).absolutePath();
const QString kLocales = kRoot + QStringLiteral("/locales");
const QString kDroid = QStringLiteral("Droid Sans Fallback");

// The faces pdffonts lists, without subset tags ("ABCDEF+IPAGothic").
QStringList FacesIn(const QString& pdf) {
  QStringList faces;
  const QStringList rows =
      QString::fromUtf8(RunProcess(QStringLiteral(KAKEMARU_PDFFONTS), {pdf}).value_or(""))
          .split('\n');
  for (const QString& row : rows.mid(2)) {
    const QString face = row.section(' ', 0, 0, QString::SectionSkipEmpty).section('+', -1);
    if (!face.isEmpty() && !faces.contains(face)) faces << face;
  }
  faces.sort();
  return faces;
}

// A fontconfig setup under the build folder that sees only these families.
QString FontConfig(const QString& dir, const QStringList& families) {
  QDir().mkpath(dir + QStringLiteral("/files"));
  for (const QString& family : families) {
    const auto files = RunProcess(QStringLiteral("fc-list"), {"-f", "%{file}\n", family});
    // Only the fallback face may be missing: some machines lack it.
    if (!files || (files->isEmpty() && family != kDroid)) return {};
    for (const QString& file : QString::fromUtf8(*files).split('\n', Qt::SkipEmptyParts)) {
      QFile::link(file, dir + QStringLiteral("/files/") + QFileInfo(file).fileName());
    }
  }
  QFile config(dir + QStringLiteral("/fonts.conf"));
  if (!config.open(QIODevice::WriteOnly)) return {};
  config.write(QStringLiteral("<?xml version=\"1.0\"?><fontconfig><dir>%1/files</dir>"
                              "<cachedir>%1/cache</cachedir></fontconfig>\n")
                   .arg(dir)
                   .toUtf8());
  return config.fileName();
}

}  // namespace

class TestJapaneseFamilies : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void nearestFamily_data();
  void nearestFamily();
  void sameFacesInEveryLocale_data();
  void sameFacesInEveryLocale();
};

void TestJapaneseFamilies::initTestCase() {
  // Made once under the build folder, never in the system's locales.
  QVERIFY(QDir().mkpath(kLocales) && QDir().mkpath(kRoot + "/no-locales"));
  for (const QString name : {"ja_JP.UTF-8", "ja_JP.eucJP", "en_US.UTF-8"}) {
    const QString charmap = name.endsWith("eucJP") ? "EUC-JP" : "UTF-8";
    if (QFile::exists(kLocales + '/' + name + "/LC_CTYPE")) continue;
    QVERIFY2(RunProcess("localedef",
                        {"-i", name.section('.', 0, 0), "-f", charmap, kLocales + '/' + name}),
             qPrintable(name));
  }
}

void TestJapaneseFamilies::nearestFamily_data() {
  QTest::addColumn<Families>("installed");
  QTest::addColumn<QString>("face");
  QTest::addColumn<QString>("expected");

  // As fontconfig lists them; fixed-pitch by its spacing.
  const JapaneseFamily droid{{kDroid}, false};
  const JapaneseFamily ipaGothic{{"IPAGothic", "IPAゴシック"}, true};
  const JapaneseFamily ipaMincho{{"IPAMincho", "IPA明朝"}, true};
  const JapaneseFamily ipaPGothic{{"IPAPGothic", "IPA Pゴシック"}, false};
  const JapaneseFamily ipaPMincho{{"IPAPMincho", "IPA P明朝"}, false};
  const JapaneseFamily ipaexGothic{{"IPAexGothic", "IPAexゴシック"}, false};
  const JapaneseFamily ipaexMincho{{"IPAexMincho", "IPAex明朝"}, false};
  const JapaneseFamily notoSansMono{{"Noto Sans Mono CJK JP"}, true};
  const JapaneseFamily notoSans{{"Noto Sans CJK JP"}, false};
  const JapaneseFamily notoSerif{{"Noto Serif CJK JP"}, false};
  const QString gothic = QStringLiteral("ＭＳ ゴシック");
  const QString mincho = QStringLiteral("ＭＳ 明朝");

  // In a Japanese locale's order: the fallback, then the proportional faces.
  const Families ipa{droid, ipaPGothic, ipaPMincho, ipaGothic, ipaMincho};
  QTest::newRow("IPA: Gothic") << ipa << gothic << "IPAGothic";
  QTest::newRow("IPA: Mincho") << ipa << mincho << "IPAMincho";
  QTest::newRow("IPA: by its Japanese name") << ipa << "IPA P明朝"
                                             << "IPAPMincho";
  QTest::newRow("IPA: an unknown Mincho") << ipa << "No Such Face 明朝"
                                          << "IPAMincho";
  QTest::newRow("no IPAMincho: the fixed Gothic")
      << Families{droid, ipaPGothic, ipaPMincho, ipaGothic} << mincho << "IPAGothic";
  const Families noto{droid, notoSans, notoSansMono, notoSerif, ipaexGothic, ipaexMincho};
  QTest::newRow("Noto, IPAex: Gothic") << noto << gothic << "Noto Sans Mono CJK JP";
  QTest::newRow("Noto, IPAex: Mincho") << noto << mincho << "IPAexMincho";
  QTest::newRow("Noto: Mincho") << Families{droid, notoSans, notoSerif, notoSansMono} << mincho
                                << "Noto Sans Mono CJK JP";
  QTest::newRow("IPAex: Gothic") << Families{ipaexMincho, ipaexGothic} << gothic << "IPAexGothic";
  QTest::newRow("an unknown fixed face")
      << Families{droid, ipaPMincho, {{"VL Gothic"}, true}} << mincho << "VL Gothic";
  QTest::newRow("proportional only")
      << Families{droid, ipaPMincho, ipaPGothic} << gothic << "IPAPGothic";
  QTest::newRow("nothing Japanese") << Families{} << mincho << mincho;
}

void TestJapaneseFamilies::nearestFamily() {
  QFETCH(Families, installed);
  QFETCH(QString, face);
  QFETCH(QString, expected);
  QCOMPARE(NearestJapaneseFamily(face, installed), expected);
}

void TestJapaneseFamilies::sameFacesInEveryLocale_data() {
  QTest::addColumn<QStringList>("locale");  // set over LANG=C
  QTest::addColumn<QStringList>("fonts");   // the only families seen; all when empty
  QTest::addColumn<QStringList>("expected");

  const QString generated = "LOCPATH=" + kLocales;
  const QStringList ipa{"IPAGothic", "IPAMincho"};
  QTest::newRow("C") << QStringList() << QStringList() << ipa;
  QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << QStringList() << ipa;
  QTest::newRow("en_US.UTF-8") << QStringList{generated, "LANG=en_US.UTF-8"} << QStringList()
                               << ipa;
  QTest::newRow("LANG ja_JP.UTF-8")
      << QStringList{generated, "LANG=ja_JP.UTF-8"} << QStringList() << ipa;
  QTest::newRow("LC_ALL ja_JP.UTF-8")
      << QStringList{generated, "LC_ALL=ja_JP.UTF-8"} << QStringList() << ipa;
  QTest::newRow("LC_CTYPE ja_JP.UTF-8")
      << QStringList{generated, "LC_CTYPE=ja_JP.UTF-8"} << QStringList() << ipa;
  QTest::newRow("LANG ja_JP.eucJP")
      << QStringList{generated, "LANG=ja_JP.eucJP"} << QStringList() << ipa;
  // glibc finds no locale data, as where it was never generated; fontconfig
  // and Qt still read the language from LANG.
  QTest::newRow("LANG ja_JP.UTF-8 not generated")
      << QStringList{"LOCPATH=" + kRoot + "/no-locales", "LANG=ja_JP.UTF-8"} << QStringList()
      << ipa;
  QTest::newRow("LANG ja_JP.UTF-8 without IPAMincho")
      << QStringList{generated, "LANG=ja_JP.UTF-8"}
      << QStringList{"IPAGothic", "IPAPGothic", "IPAPMincho", kDroid} << QStringList{"IPAGothic"};
  QTest::newRow("LANG ja_JP.UTF-8 proportional only")
      << QStringList{generated, "LANG=ja_JP.UTF-8"}
      << QStringList{"IPAPGothic", "IPAPMincho", kDroid} << QStringList{"IPAPGothic", "IPAPMincho"};
}

void TestJapaneseFamilies::sameFacesInEveryLocale() {
  QFETCH(QStringList, locale);
  QFETCH(QStringList, fonts);
  QFETCH(QStringList, expected);

  const QString out = kRoot + '/' + QString(QTest::currentDataTag()).replace(' ', '_');
  QDir(out).removeRecursively();
  QVERIFY(QDir().mkpath(out + "/home") && QDir().mkpath(out + "/runtime"));
  QFile::setPermissions(out + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  // Nothing of the machine's own locale settings, home or print service.
  QProcessEnvironment environment;
  for (const QString& variable :
       QStringList{"PATH=" + qEnvironmentVariable("PATH"), "HOME=" + out + "/home",
                   "XDG_RUNTIME_DIR=" + out + "/runtime", "QT_QPA_PLATFORM=offscreen",
                   "CUPS_SERVER=" + out + "/no-cups.sock", "LANG=C"} +
           locale) {
    environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
  }
  // The sanitizer build's own settings, for the probe too.
  for (const char* sanitizer : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (qEnvironmentVariableIsSet(sanitizer)) {
      environment.insert(QLatin1String(sanitizer), qEnvironmentVariable(sanitizer));
    }
  }
  if (!fonts.isEmpty()) {
    const QString config = FontConfig(out + "/fonts", fonts);
    QVERIFY2(!config.isEmpty(), qPrintable(fonts.join(", ")));
    environment.insert("FONTCONFIG_FILE", config);
  }

  QVERIFY(RunProcess(QStringLiteral(KAKEMARU_FACES_PROBE), {out}, environment));
  for (const QString pdf : {"window.pdf", "sheet.pdf", "sheet-答え.pdf", "named.pdf"}) {
    const QStringList faces = FacesIn(out + '/' + pdf);
    QVERIFY2(faces == expected, qPrintable(pdf + ": " + faces.join(", ")));
  }
}

QTEST_MAIN(TestJapaneseFamilies)
#include "tst_japanesefamilies.moc"
