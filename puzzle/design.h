// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>

// Everything fixed about the window's looks: places, colours and texts. The
// desktop window and the web page both read it.
namespace design {

// Lengths in twips, 15 to a device-independent pixel.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

struct Rgb {
    int red;
    int green;
    int blue;
};

constexpr int TwipsPerPixel = 15;

constexpr Rect Pixels(Twips t) {
    return {t.left / TwipsPerPixel, t.top / TwipsPerPixel, t.width / TwipsPerPixel,
            t.height / TwipsPerPixel};
}

constexpr Twips Window{0, 0, 7650, 6360};
constexpr std::array<Twips, 2> Label1{{{1080, 0, 5535, 375}, {2880, 600, 855, 375}}};
constexpr std::array<Twips, 3> List1{
    {{360, 720, 1455, 2880}, {1800, 720, 735, 2880}, {2880, 960, 855, 1455}}};
constexpr std::array<Twips, 3> Command1{
    {{5760, 840, 1455, 375}, {3960, 1440, 1455, 375}, {5760, 1920, 1455, 375}}};
constexpr Twips Frame1{2880, 2640, 4335, 975};
// Inside Frame1; unknown k + 1 sits UnknownStep * k to the right.
constexpr Twips Label2{0, 0, 495, 495};
constexpr Twips Text2{0, 480, 495, 495};
constexpr int UnknownStep = 480;
constexpr int UnknownSlots = 9;

// The place of unknown k + 1's label or box.
constexpr Rect Pixels(Twips t, int k) {
    Rect r = Pixels(t);
    r.left += UnknownStep * k / TwipsPerPixel;
    return r;
}
constexpr Twips Text1{120, 3720, 7335, 2535};

constexpr Rgb ColourWindow{192, 192, 255};
// Text and borders on every fixed fill, whatever the desktop's theme.
constexpr Rgb ColourText{0, 0, 0};
constexpr Rgb ColourNeutral{255, 192, 128};
constexpr Rgb ColourRight{0, 255, 0};
constexpr Rgb ColourWrong{255, 0, 255};
constexpr std::array<Rgb, 3> ColourCommand1{{{255, 128, 255}, {128, 255, 255}, {128, 255, 128}}};
// A list's selected row, focused or not, on every theme: 6.5:1, where the
// toolkits' own highlights under white text fall below 4.5:1.
constexpr Rgb ColourSelection{32, 96, 160};
constexpr Rgb ColourSelectionText{255, 255, 255};
// Under a contrast theme, which sets every other colour, a list's selected
// row takes the theme's own selection colours, by their names as system
// colours; the labels X1..X9 keep their fills and black text, since their
// fill is the verdict.
constexpr const char* ForcedSelection = "Highlight";
constexpr const char* ForcedSelectionText = "HighlightText";

constexpr const char* FontFamily = "Times New Roman";
constexpr int FontPoints = 12;

constexpr const char* Caption = "Корвелата";
constexpr const char* DesktopId = "bg.korvelata.korvelata";
constexpr std::array<const char*, 3> List1Name{"Уравнения", "Суми", "Брой неизвестни"};
constexpr const char* Text1Name = "Условие";
// What a label's colour means, for those who cannot see it.
constexpr const char* RightText = "вярно";
constexpr const char* WrongText = "грешно";
constexpr std::array<const char*, 2> Label1Text{"Зарвоника", "Брой"};
constexpr std::array<const char*, 3> Command1Text{"Чисти", "Случайни", "Провери"};
constexpr std::array<const char*, 7> Counts{"3", "4", "5", "6", "7", "8", "9"};
constexpr int StartCountRow = 2;

// What the web page says in its window when it cannot show the puzzle, over
// the top of the task statement, with a button to try again where that can
// help.
constexpr Twips Status{120, 3720, 7335, 1200};
constexpr const char* RetryText = "Опитай пак";
constexpr const char* SlowText = "Задачата още се зарежда: връзката е бавна. Почакайте малко.";
constexpr const char* OfflineText =
    "Задачата не се зареди, защото връзката с мрежата прекъсна. Щом връзката се върне, "
    "задачата ще се появи сама, а написаното остава.";
constexpr const char* NotFoundText =
    "Задачата не се зареди: на сървъра липсва неин файл. Опитайте пак по-късно или кажете "
    "на учителя.";
constexpr const char* ServerErrorText =
    "Задачата не се зареди: сървърът отговори с грешка. Опитайте пак след малко или кажете "
    "на учителя.";
// How long a file the page needs may take before the page gives up on it:
// school Wi-Fi may be slow, but a request still open after this has hung.
constexpr int PatienceSeconds = 15;
constexpr const char* TimeoutText = "Задачата не пристигна навреме: връзката е твърде бавна или "
                                    "прекъсва. Опитайте пак; написаното остава.";
constexpr const char* WrongTypeText =
    "Задачата не се зареди: сървърът не изпраща неин файл както трябва. Опитайте пак по-късно "
    "или кажете на учителя.";
constexpr const char* BrokenText =
    "Задачата не успя да тръгне в този браузър. Презаредете страницата или я отворете в "
    "друг браузър.";
constexpr const char* PageLostText = "Страницата не се зареди цялата, защото връзката прекъсна. "
                                     "Презаредете я, щом връзката се върне.";
constexpr const char* NoScriptText =
    "Упражнението има нужда от JavaScript, а той е изключен в този браузър. Включете го в "
    "настройките на браузъра или помолете учителя.";
// The page names the oldest browsers it runs in after this.
constexpr const char* TooOldText =
    "Този браузър е твърде стар за упражнението. Отворете го в по-нов браузър";

// "X1" .. "X9", the caption of unknown k + 1's label and its box's name.
// Appended rather than "X" + ...: inlined into the window's set-up, that form
// makes MinGW's g++ 12 warn of an overlapping copy that cannot happen.
inline std::string Label2Text(int k) {
    std::string text = "X";
    text += std::to_string(k + 1);
    return text;
}

constexpr std::array<const char*, 22> Task{
    "Да се реализира проект, чрез който се осъществява междупредметни връзки Математика и "
    "Информатика.",
    "Тема на проекта: Зарвоника.",
    "Входни данни: броят N на променливите и всички неповтарящи се комбинации от суми на две "
    "различни неизвестни, като всяка сума е цяло число от интервала [-999..999]; неизвестните и "
    "сумите им образуват система линейни уравнения.",
    "Изходни данни: изчислените стойностите на всяко от неизвестните.",
    "Пример: За 5 неизвестни са дадени всички възможни, неповтарящи се комбинации от суми на 2 "
    "неизвестни:",
    "X1 + X2 =11",
    "X1 + X3 =10",
    "X1 + X4 =6",
    "X1 + X5 =14",
    "X2 + X3 =5",
    "X2 + X4 =1",
    "X2 + X5 =9",
    "X3 + X4 =0",
    "X3 + X5 =8",
    "X4 + X5 =4",
    "Изход:",
    "X1=8; X2=3; X3=2; X4=-2;X5=6",
    "Прочетете допълнителен материал за решаване на системи линейни уравнения.",
    "Един от начините за решаване на системата е заместването на променливите от едно уравнение "
    "в друго.",
    "В първото уравнение едното неизвестно се записва като разлика между сумата на двойката и "
    "другото неизвестно.",
    "Този израз замества неизвестното в останалите уравнения и се получава нова система с n-1 "
    "неизвестни.",
    "Двете стъпки се повтарят, докато остане едно линейно уравнение с едно неизвестно.",
};

// The task statement, its lines joined by line feeds.
inline std::string TaskText() {
    std::string text;
    for (const char* line : Task) {
        text += text.empty() ? "" : "\n";
        text += line;
    }
    return text;
}

} // namespace design
