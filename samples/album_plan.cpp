#include "album_plan.h"

#include <array>
#include <iterator>

namespace tollamar::samples {

namespace {

// Fictional cameras; byte order, APEX tags, thumbnail and the type of the pixel
// dimensions differ between them as they do between real makers.
struct Camera {
    const char* make;
    const char* model;
    const char* software;
    bool littleEndian;
    bool apexValues;
    bool thumbnail;
    bool dimensionsAsLong;
    Rational maxAperture;
    Rational focalLength;
    const char* description;
    const char* copyright;
};

const std::array<Camera, 5> kCameras{{
    {"Kestrel Optics", "KX-100", "KX-100 Ver.1.02", true, false, true, false, {297, 100},
     {63, 10}, "", ""},
    {"HARUKA", "Haruka Mini 3", "Haruka Firmware 3.10", false, true, true, true, {200, 100},
     {55, 10}, "", ""},
    {"Norrvik Camera Works", "NV-7 Pro", "NV-7 Pro v2.0.1", false, false, false, true,
     {400, 100}, {24, 1}, "", "Copyright 2021 Norrvik sample album"},
    // Make and model short enough to sit in the entry's own value field.
    {"KYO", "K1", "K1 1.0", true, true, false, false, {340, 100}, {227, 32}, "", ""},
    // Blank-padded texts, as some cameras write them.
    {"FICTICAM    ", "FC 20 Zoom   ", "FC20-FW 0.9", true, false, true, false, {310, 100},
     {80, 10}, "FICTICAM DIGITAL CAMERA         ", ""},
}};

struct Special {
    const char* fileName;  // nullptr: the IMG_nnnn.jpg name
    const char* comment;   // nullptr: the long comment
    CommentForm form;
    int camera;            // -1: no Exif at all
    const char* taken;
    uint16_t orientation;
    uint16_t flash;
    int width;
    int height;
};

constexpr CommentForm kSjis = CommentForm::ShiftJis;
constexpr CommentForm kUtf16 = CommentForm::Unicode;

const Special kSpecials[] = {
    {nullptr, "富士山と河口湖", kSjis, 0, "2019-04-06 07:12:45", 1, 0, 640, 480},
    {nullptr, "桜の花が満開です", kUtf16, 1, "2019-04-07 13:05:10", 1, 25, 480, 640},
    {nullptr, "家族旅行\r\n京都・清水寺にて\r\n二日目の朝", kSjis, 0, "2019-05-03 09:41:02", 1,
     16, 1024, 768},
    {nullptr, "𠮷野家で牛丼 🍜 おいしかった", kUtf16, 3, "2019-06-15 12:30:00", 1, 0, 320, 240},
    {nullptr, "", CommentForm::None, 2, "2019-07-20 16:45:33", 1, 0, 640, 480},
    {nullptr, nullptr, kUtf16, 1, "2019-08-11 10:00:00", 1, 9, 640, 480},
    {nullptr, "Exif のない写真（フィルムをスキャナで取り込み）", kSjis, -1, "2019-09-01 18:20:00",
     1, 0, 640, 480},
    {nullptr, "ﾊﾝｶｸｶﾅ と ①②③ と ㈱ の入ったコメント", kSjis, 4, "2019-10-10 10:10:10", 1, 1,
     480, 640},
    // Trailing bytes 0x5C (表, ソ, 予) and 0x72 (ビ) in Shift-JIS.
    {nullptr, "表計算ソフトと予定表、ビルの写真", kSjis, 2, "2019-11-23 14:02:09", 1, 0, 1024,
     768},
    {nullptr, "Sunset at the beach, Mt. FUJI in the distance", kSjis, 0, "2019-12-31 23:59:59",
     1, 0, 320, 240},
    {nullptr, "新年あけましておめでとう", kSjis, 1, "2020-01-01 00:00:00", 1, 1, 640, 480},
    {nullptr, "\r\n  初日の出  \r\n\r\n", kUtf16, 3, "2020-01-01 00:00:30", 1, 0, 640, 480},
    {nullptr, "閏日の港（縦位置）", kSjis, 4, "2020-02-29 12:00:00", 6, 0, 640, 480},
    {nullptr, "Portrait of the tower", kUtf16, 2, "2020-03-14 15:09:26", 8, 24, 640, 480},
    // Written in the Shift-JIS form, the first character is lost to '?'.
    {nullptr, "𠮷田さんの家", kSjis, 0, "2020-04-01 08:00:00", 1, 0, 320, 240},
    {"富士山 の朝.jpg", "富士山の朝焼け", kSjis, 1, "2020-05-05 04:58:00", 1, 0, 1024, 768},
    {"夏祭り 2021.jpg", "夏祭りの花火 🎆", kUtf16, 2, "2021-08-14 20:31:15", 1, 1, 480, 640},
};

struct Ordinary {
    const char* comment;
    CommentForm form;
};

const Ordinary kOrdinary[] = {
    {"海辺の散歩", kSjis},           {"子供の運動会", kUtf16},
    {"", CommentForm::None},         {"紅葉の京都", kSjis},
    {"Birthday party", kSjis},       {"カフェで一休み ☕", kUtf16},
    {"雪の北海道", kUtf16},          {"犬の散歩 🐕", kUtf16},
    {"ラーメン屋にて", kSjis},       {"Château de Chambord", kUtf16},
    {"温泉旅館の夕食", kSjis},
};

constexpr std::array<Rational, 10> kExposures{{{1, 4000}, {1, 1000}, {1, 250}, {10, 1250},
                                               {1, 60}, {1, 30}, {1, 8}, {5, 10}, {1, 1},
                                               {10, 1}}};
constexpr std::array<Rational, 6> kFNumbers{{{28, 10}, {40, 10}, {56, 10}, {80, 10}, {110, 10},
                                             {49, 10}}};
constexpr std::array<uint16_t, 7> kIsos{100, 200, 400, 800, 1600, 3200, 64};
constexpr std::array<SRational, 9> kBiases{{{0, 1}, {-1, 3}, {2, 3}, {1, 1}, {-3, 10},
                                            {7, 10}, {3, 2}, {-2, 3}, {13, 10}}};
// Fired and not fired, in the forced, automatic and plain forms.
constexpr std::array<uint16_t, 6> kFlashes{0, 1, 16, 9, 24, 25};
constexpr std::array<std::array<int, 2>, 4> kSizes{{{640, 480}, {480, 640}, {1024, 768},
                                                    {320, 240}}};

QByteArray ExifTime(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1();
}

// The long comment: 40000 characters, 80002 bytes in the Unicode form, so it needs
// two COM segments (65533 + 14469 bytes).
QString LongComment()
{
    QString text;
    for (int line = 1; text.size() < 40000; ++line)
        text += QStringLiteral("第%1行：今日は晴れ。海辺を散歩して写真を撮りました。\r\n").arg(line);
    text.truncate(40000);
    return text;
}

ExifRecord CameraRecord(int number, int cameraIndex, const QDateTime& taken, uint16_t flash)
{
    const Camera& c = kCameras[static_cast<size_t>(cameraIndex)];
    const auto n = static_cast<size_t>(number);
    ExifRecord r;
    r.littleEndian = c.littleEndian;
    r.make = c.make;
    r.model = c.model;
    r.software = c.software;
    r.imageDescription = c.description;
    r.copyright = c.copyright;
    r.dateTimeOriginal = ExifTime(taken);
    // Every fourth photo was touched up two days later.
    r.dateTime = ExifTime(number % 4 == 0 ? taken.addDays(2) : taken);
    r.exposureTime = kExposures[n % kExposures.size()];
    r.fNumber = kFNumbers[n % kFNumbers.size()];
    r.apexValues = c.apexValues;
    r.exposureProgram = static_cast<uint16_t>(1 + n % 4);
    r.iso = kIsos[n % kIsos.size()];
    r.exposureBias = kBiases[n % kBiases.size()];
    r.maxAperture = c.maxAperture;
    r.meteringMode = std::array<uint16_t, 3>{5, 2, 3}[n % 3];
    r.lightSource = (flash & 1) ? 4 : std::array<uint16_t, 3>{0, 1, 255}[n % 3];
    r.flash = flash;
    r.focalLength = {c.focalLength.num * static_cast<uint32_t>(1 + n % 3), c.focalLength.den};
    r.dimensionsAsLong = c.dimensionsAsLong;
    return r;
}

PhotoPlan FromSpecial(int number, const Special& s)
{
    PhotoPlan p;
    p.number = number;
    p.fileName = s.fileName ? QString::fromUtf8(s.fileName)
                            : QStringLiteral("IMG_%1.jpg").arg(number, 4, 10, QLatin1Char('0'));
    p.width = s.width;
    p.height = s.height;
    p.comment = s.comment ? QString::fromUtf8(s.comment) : LongComment();
    p.form = s.form;
    p.taken = QDateTime::fromString(QString::fromLatin1(s.taken),
                                    QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    p.hasExif = s.camera >= 0;
    if (p.hasExif) {
        p.exif = CameraRecord(number, s.camera, p.taken, s.flash);
        p.exif.orientation = s.orientation;
        p.withThumbnail = kCameras[static_cast<size_t>(s.camera)].thumbnail;
    }
    return p;
}

// Four to five weeks apart, at every hour of the day; every seventh photo is taken
// within a minute or two of midnight.
QDateTime OrdinaryTime(int number)
{
    QDateTime t(QDate(2019, 3, 1), QTime(8, 0));
    t = t.addSecs(qint64(number) * (29 * 86400 + 5 * 3600 + 7 * 60 + 13));
    if (number % 7 == 0)
        t.setTime(number % 14 == 0 ? QTime(23, 58, number % 60) : QTime(0, 1, number % 60));
    return t;
}

PhotoPlan FromNumber(int number)
{
    const auto n = static_cast<size_t>(number);
    const Ordinary& o = kOrdinary[n % std::size(kOrdinary)];
    PhotoPlan p;
    p.number = number;
    p.fileName = QStringLiteral("IMG_%1.jpg").arg(number, 4, 10, QLatin1Char('0'));
    p.width = kSizes[n % kSizes.size()][0];
    p.height = kSizes[n % kSizes.size()][1];
    p.comment = QString::fromUtf8(o.comment);
    p.form = o.form;
    p.taken = OrdinaryTime(number);
    p.hasExif = true;
    const int camera = number % static_cast<int>(kCameras.size());
    p.exif = CameraRecord(number, camera, p.taken, kFlashes[n % kFlashes.size()]);
    p.withThumbnail = kCameras[static_cast<size_t>(camera)].thumbnail;
    return p;
}

}  // namespace

std::vector<PhotoPlan> PlanAlbum(int count)
{
    std::vector<PhotoPlan> plans;
    const int specials = static_cast<int>(std::size(kSpecials));
    for (int number = 1; number <= count; ++number) {
        PhotoPlan p = number <= specials ? FromSpecial(number, kSpecials[number - 1])
                                         : FromNumber(number);
        p.exif.pixelWidth = static_cast<uint32_t>(p.width);
        p.exif.pixelHeight = static_cast<uint32_t>(p.height);
        plans.push_back(std::move(p));
    }
    return plans;
}

}  // namespace tollamar::samples
