#include <QCryptographicHash>
#include <QTest>

#include <string>

#include "cp932.h"
#include "cp932_codec.h"

Q_DECLARE_METATYPE(Cp932Converter)

using test_support::Cp932;

// Every converter of the build, Qt's and the system's (iconv, or the Windows
// API), whichever the program picks on a machine: the same texts must come
// out of each.
class TestCp932Codec : public QObject {
  Q_OBJECT

 private slots:
  void bothConvertersAreHere();
  void converts_data();
  void converts();
  void convertersAgreeOnEveryCharacter_data();
  void convertersAgreeOnEveryCharacter();
};

void TestCp932Codec::bothConvertersAreHere() {
#ifdef Q_OS_WIN
  // Qt for Windows is built without ICU: the Windows API converts.
  QCOMPARE(ActiveCp932Converter(), std::optional(Cp932Converter::Windows));
#else
  // Debian's Qt has ICU, so the program uses Qt's converter here; the iconv
  // one is what a Qt without ICU gets.
  QCOMPARE(ActiveCp932Converter(), std::optional(Cp932Converter::Qt));
  QVERIFY(Cp932ConverterAvailable(Cp932Converter::Iconv));
#endif
}

void TestCp932Codec::converts_data() {
  QTest::addColumn<Cp932Converter>("converter");
  const std::pair<const char*, Cp932Converter> converters[] = {
      {"Qt", Cp932Converter::Qt},
      {"iconv", Cp932Converter::Iconv},
      {"Windows", Cp932Converter::Windows}};
  for (const auto& [name, converter] : converters) {
    if (Cp932ConverterAvailable(converter)) QTest::newRow(name) << converter;
  }
}

void TestCp932Codec::converts() {
  QFETCH(Cp932Converter, converter);
  const auto decode = [converter](std::string_view bytes) {
    return QStringFromCp932(bytes, converter);
  };
  const auto encode = [converter](const QString& text) {
    return Cp932FromQString(text, converter);
  };
  const QString page = QStringLiteral("①⑳×＝　ｶｹﾏﾙ九九 ~\\");
  QCOMPARE(decode(Cp932("①⑳×＝　ｶｹﾏﾙ九九 ~\\")), page);
  QCOMPARE(decode("\x87\x40\x87\x53"), QStringLiteral("①⑳"));
  QCOMPARE(decode("[ ]\x81\x7e"
                  "3"),
           QStringLiteral("[ ]×3"));
  QCOMPARE(decode(""), QString());
  QCOMPARE(encode(page), Cp932("①⑳×＝　ｶｹﾏﾙ九九 ~\\"));
  QCOMPARE(encode(QString()), std::string());
  // A long text, past any buffer of the converter.
  const QString longText = page.repeated(500);
  QCOMPARE(decode(encode(longText)), longText);

  // A bad byte becomes U+FFFD, alone: what follows is read afresh.
  const QChar bad(0xFFFD);
  QCOMPARE(decode("A\x81"), QStringLiteral("A") + bad);
  QCOMPARE(decode("\x81 3"), bad + QStringLiteral(" 3"));
  QCOMPARE(decode("\x80\xA0\xFD\xFF"), QString(4, bad));
  QCOMPARE(decode("\x85\x40\x81\x7e"), bad + QStringLiteral("@×"));
  // A character code page 932 lacks becomes "?", surrogate pairs as one.
  QCOMPARE(encode(QStringLiteral("A😀B é")), std::string("A?B ?"));
  QCOMPARE(encode(QStringLiteral("A") + QChar(0xD83D)), std::string("A?"));

  // The converters are kept from text to text. A lone lead byte ends with its
  // text; carried on, it would make "×" of the next text's "~".
  decode("A\x81");
  QCOMPARE(decode("~3"), QStringLiteral("~3"));
  // Likewise a lone high surrogate, which would spoil the next "B".
  encode(QStringLiteral("A") + QChar(0xD83D));
  QCOMPARE(encode(QStringLiteral("B")), std::string("B"));
}

void TestCp932Codec::convertersAgreeOnEveryCharacter_data() {
  converts_data();
}

// Every single byte, every lead byte with every byte after it, and every
// character of Unicode's basic plane, pinned by a digest of what comes out, so
// that a converter of one system agrees with those of another. ICU's table
// swaps three control characters (0x1A, 0x1C and 0x7F) that no text of the
// program holds; each converter still takes each of them back where it came
// from.
void TestCp932Codec::convertersAgreeOnEveryCharacter() {
  QFETCH(Cp932Converter, converter);
  const auto swappedByIcu = [](char32_t code) {
    return code == 0x1A || code == 0x1C || code == 0x7F;
  };
  std::string singles;
  QString controls;
  for (char32_t byte = 0; byte < 256; ++byte) {
    if (!swappedByIcu(byte)) singles.push_back(static_cast<char>(byte));
    if (byte < 0x80) controls.append(QChar(static_cast<char16_t>(byte)));
  }
  QCOMPARE(QStringFromCp932(Cp932FromQString(controls, converter), converter), controls);

  QCryptographicHash decoded(QCryptographicHash::Sha256);
  decoded.addData(QStringFromCp932(singles, converter).toUtf8());
  int leads = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    std::string row;
    for (char32_t trail = 0; trail < 256; ++trail) {
      if (swappedByIcu(trail)) continue;
      row.push_back(static_cast<char>(lead));
      row.push_back(static_cast<char>(trail));
    }
    const QString text = QStringFromCp932(row, converter);
    decoded.addData(text.toUtf8());
    leads += text.contains(QChar(u'九')) ? 1 : 0;
  }
  QCOMPARE(leads, 1);
  QCOMPARE(decoded.result().toHex(),
           QByteArray("715089e2105b4313b35709982b40d4f59ce9b57e5f5d25936897a5f5b77049d9"));

  // The converters differ only in what an entry of the print number echoes
  // back: glibc also takes the JIS forms of nine signs, which ICU leaves as
  // "?", and ICU knows one private-use character.
  const QString mayDiffer = QStringLiteral("¢£¥¬—‖‾−〜") + QChar(0xF86F);
  QCryptographicHash encoded(QCryptographicHash::Sha256);
  QString taken;
  for (char32_t point = 0; point < 0x10000; ++point) {
    if (QChar::isSurrogate(point) || swappedByIcu(point)) continue;
    const QString text(QChar(static_cast<char16_t>(point)));
    const std::string bytes = Cp932FromQString(text, converter);
    if (!mayDiffer.contains(text)) {
      encoded.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } else if (bytes != "?") {
      taken += text;
    }
  }
  QCOMPARE(encoded.result().toHex(),
           QByteArray("713216506670cd20b2f9e527e3f49378abbbaa2c38c8f51338302b4d3fcf84ab"));
  const QString takenBy[] = {QChar(0xF86F), QStringLiteral("¢£¥¬—‖‾−〜"), QString()};
  QCOMPARE(taken, takenBy[static_cast<int>(converter)]);
}

QTEST_GUILESS_MAIN(TestCp932Codec)
#include "tst_cp932codec.moc"
