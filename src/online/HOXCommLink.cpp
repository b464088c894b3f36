#include "online/HOXCommLink.h"

#include "platform/Strings.h"

#include <utility>

void CHOXCommLink::GetCommErrorText(int code, QString& text)
{
    static const std::pair<int, UINT> kMessages[] = {
        {256, 13173}, {257, 13175}, {258, 13174}, {259, 13191}, {260, 13193}, {261, 13192}, {512, 13176}, {513, 13177},
        {514, 13178}, {515, 13179}, {768, 13194}, {769, 13180}, {770, 13190}, {771, 13181}, {772, 13182}, {774, 13183},
        {775, 13184}, {776, 13185}, {777, 13186}, {778, 13187}, {779, 13188}, {780, 13189},
    };
    for (const auto& [known, message] : kMessages) {
        if (code == known) {
            text = LoadStr(message);
            return;
        }
    }
}
