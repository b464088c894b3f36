// The messages of the communication error codes, and the words of a code
// outside the table.
#include "online/HOXCommLink.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(HOXCommLinkTest, EveryCodeOfTheTableHasItsMessage)
{
    const struct {
        int code;
        const char* text;
    } table[] = {
        {256, "ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."},
        {257, "ERROR :  Failed Setup ComPort."},
        {258, "ERROR :  Failed while generating thread for API."},
        {259, "ERROR :  Port number is wrong."},
        {260, "ERROR :  Port is already opened."},
        {261, "ERROR :  Number of threads opened is exceeded the limit."},
        {512, "ERROR :  Attempt to close communication Manager which is not yet opened."},
        {513, "ERROR :  Attempt to close the communication link."},
        {514, "ERROR :  Failed close ComPort."},
        {515, "ERROR :  Closed the opened process, which is different from the current process. "},
        {768, "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU."},
        {769, "ERROR :  Improper transmission.\nRTS of COM port is ON."},
        {770, "ERROR :  Parity Error."},
        {771, "ERROR :  Over run error ."},
        {772, "ERROR :  Framing error."},
        {774, "ERROR :  ComPort is not open."},
        {775, "ERROR :  Multiple Communication requests are generated from same Communication Manager.."},
        {776, "ERROR :  Receiving operation is failed."},
        {777, "ERROR :  Data is missing in receiving data."},
        {778, "ERROR :  Transmission is on wrong frame."},
        {779, "ERROR :  Controller is rejected."},
        {780, "ERROR :  Receiving operation is failed (Sum error)."},
    };
    for (const auto& entry : table) {
        QString text = QStringLiteral("before");
        CHOXCommLink::GetCommErrorText(entry.code, text);
        EXPECT_EQ(QString::fromLatin1(entry.text), text) << entry.code;
    }
    // Codes outside the table leave the text as it was.
    for (int code : {773, 0, -1, 255, 262, 511, 516, 767, 781, 0x600, 0x601}) {
        QString text = QStringLiteral("before");
        CHOXCommLink::GetCommErrorText(code, text);
        EXPECT_EQ(QStringLiteral("before"), text) << code;
    }
}

TEST(HOXCommLinkTest, ACodeOutsideTheTableStillHasWords)
{
    // Inside the table the message is the table's.
    EXPECT_EQ(QStringLiteral("ERROR :  Controller is rejected."), CHOXCommLink::GetCommErrorMessage(779));
    EXPECT_EQ(QStringLiteral("ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."),
              CHOXCommLink::GetCommErrorMessage(256));
    const struct {
        int code;
        const char* text;
    } outside[] = {
        {773, "Default Error - Error No : 773"},
        {0, "Default Error - Error No : 0"},
        {-1, "Default Error - Error No : -1"},
        {0x601, "Default Error - Error No : 1537"},
    };
    for (const auto& c : outside)
        EXPECT_EQ(QString::fromLatin1(c.text), CHOXCommLink::GetCommErrorMessage(c.code)) << c.code;
}

} // namespace
