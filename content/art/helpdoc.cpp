#include "art/helpdoc.h"

namespace kf::art {

QByteArray quotedPrintable(const QByteArray& data)
{
    QByteArray out;
    int column = 0;
    auto put = [&](const QByteArray& piece) {
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += static_cast<int>(piece.size());
    };
    for (int i = 0; i < data.size(); ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c == '\n') {
            out += "\r\n";
            column = 0;
            continue;
        }
        if (c == '\r')
            continue;
        const bool lineEnd = i + 1 == data.size() || data[i + 1] == '\n' || data[i + 1] == '\r';
        if ((c >= 33 && c <= 126 && c != '=') || (c == ' ' && !lineEnd))
            put(QByteArray(1, static_cast<char>(c)));
        else
            put(QByteArray("=") + QByteArray::number(c, 16).toUpper().rightJustified(2, '0'));
    }
    return out;
}

namespace {

struct Row {
    const char* picture; // button picture, or nullptr
    const char* name;
    const char* text;
};

QString esc(const char* s)
{
    return QString::fromUtf8(s).toHtmlEscaped();
}

QString img(const char* name, const char* alt)
{
    return QStringLiteral("<img src=\"%1img/%2\" alt=\"%3\">")
        .arg(QLatin1String(kHelpBase), QLatin1String(name), esc(alt));
}

QString page()
{
    static const Row buttons[] = {
        {"Openvideo.gif", "打开摄像头",
            "打开摄像头并在预览区显示实时画面。程序启动时会自动打开一次；电脑上没有找到摄像头时会提示“没有找"
            "到摄像头”。"},
        {"Shot.gif", "拍照",
            "拍下预览区当前的画面，照片会套上所选的模板并显示在预览区和下方照片条中。也可以直接按键盘上的回车"
            "键拍照。"},
        {"continue.gif", "继续", "拍照后拍照按钮会变成“继续”。按下它回到实时画面，准备拍下一张。"},
        {"Inputphoto.gif", "导入照片",
            "从电脑中选择 BMP 或 JPG 图片导入（一次最多 64 张）。图片会自动缩放为 "
            "320×240，形状不同时用白色补齐。"},
        {"Adjustphoto.gif", "调整照片",
            "打开调色面板，用滑块调整当前照片的亮度、对比度和红、绿、蓝三种颜色。“复原”恢复到打开面板时的样子"
            "，“确定”保存调整。"},
        {"del.gif", "删除照片",
            "删除当前选中的照片（会先请您确认）。在照片条上点鼠标右键，还可以选择“删除全部”。"},
        {"keyup.gif", "浏览照片",
            "打开照片浏览窗口，查看本次拍摄的所有照片，选出要上传的照片，上传到您的 Snapolia 网络相册。"},
        {"setup.gif", "摄像头设置", "打开摄像头自身的设置窗口（亮度、白平衡等），需要电脑上接有摄像头。"},
        {"exit.gif", "退出", "确认后退出程序。拍好的照片保存在程序目录的 PhotoSaved 文件夹中。"},
        {"help1.gif", "帮助", "打开本帮助页面。"},
    };
    static const Row pages[] = {
        {"forePre.gif", "上一页", "模板区翻到上一页。"},
        {"forenext.gif", "下一页", "模板区翻到下一页，每页显示 15 个模板。"},
        {"photopre.gif", "向前翻", "照片条翻到前一页。"},
        {"photonext.gif", "向后翻", "照片条翻到后一页，每页显示 4 张照片。"},
    };
    static const Row places[] = {
        {"chang01.gif", "左移", "照片中的人物向左移动 5 个像素（键盘 ←）。"},
        {"chang11.gif", "右移", "人物向右移动（键盘 →）。"},
        {"chang21.gif", "上移", "人物向上移动（键盘 ↑）。"},
        {"chang31.gif", "下移", "人物向下移动（键盘 ↓）。"},
        {"chang41.gif", "左旋转", "照片向左转 5 度。"},
        {"chang61.gif", "右旋转", "照片向右转 5 度。"},
        {"chang51.gif", "复位", "取消所有移动和旋转，回到原来的位置。"},
    };
    static const Row sorts[] = {
        {"cmdSort01.gif", "动画", "星星、气球、云朵和可爱的小动物。"},
        {"cmdSort11.gif", "另类", "霓虹、波普、几何，个性十足。"},
        {"cmdSort21.gif", "爱情", "爱心、玫瑰和丝带，送给心爱的人。"},
        {"cmdSort31.gif", "杂志", "把自己变成杂志封面人物。"},
        {"cmdSort41.gif", "海报", "电影海报风格，当一回大明星。"},
        {"cmdSort51.gif", "朦胧照", "柔和的朦胧边框，温馨浪漫。"},
    };
    auto table = [](const Row* rows, int n) {
        QString t = QStringLiteral("<table class=\"keys\">\n");
        for (int i = 0; i < n; ++i) {
            t += QStringLiteral("<tr><td class=\"pic\">%1</td><th>%2</th><td>%3</td></tr>\n")
                     .arg(rows[i].picture ? img(rows[i].picture, rows[i].name) : QString(), esc(rows[i].name),
                         esc(rows[i].text));
        }
        return t + QStringLiteral("</table>\n");
    };
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n");
    h += QStringLiteral("<title>%1</title>\n").arg(esc("Snapolia 自助照相馆 使用帮助"));
    h += QStringLiteral(
        "<style>\n"
        "body{font-family:'Noto Sans CJK SC','Microsoft YaHei',sans-serif;background:#fdeef0;color:#4a2038;"
        "margin:0;padding:0 0 40px 0}\n"
        "header{background:linear-gradient(#ff8a8a,#ec5a78);color:#fff;padding:18px 32px}\n"
        "header h1{margin:0;font-size:26px}header p{margin:4px 0 0 0}\n"
        "main{max-width:860px;margin:0 auto;padding:0 24px}\n"
        "h2{color:#b02a5a;border-bottom:2px solid #f7b3c2;padding-bottom:4px;margin-top:32px}\n"
        "ol.steps li{margin:6px 0;line-height:1.6}\n"
        "table.keys{border-collapse:collapse;width:100%;background:#fff;border-radius:8px}\n"
        "table.keys td,table.keys th{border-bottom:1px solid #f5d5dd;padding:8px;text-align:left;"
        "vertical-align:middle}\n"
        "table.keys th{white-space:nowrap;color:#8a1f4c;width:7em}\n"
        "td.pic{width:110px;text-align:center}\n"
        ".overview{text-align:center}.overview img{max-width:100%;border-radius:10px;"
        "box-shadow:0 3px 12px rgba(150,40,80,.3)}\n"
        ".tip{background:#fff7d6;border-left:4px solid #f5b83d;padding:8px 14px;margin:12px 0}\n"
        "</style>\n</head>\n<body>\n");
    h += QStringLiteral("<header><h1>%1</h1><p>%2</p></header>\n<main>\n")
             .arg(esc("Snapolia 自助照相馆 使用帮助"), esc("拍照、套模板、调整、上传，几步就好！"));
    h += QStringLiteral("<h2>%1</h2>\n<div class=\"overview\">%2</div>\n")
             .arg(esc("主窗口一览"), img("overview.jpg", "主窗口"));
    h += QStringLiteral("<p>%1</p>\n")
             .arg(esc("左边是预览区和下方的照片条，中间是拍照按钮和位置调整按钮，右边是模板区和模板分类，"
                      "最下面一排是常用功能按钮。"));
    h += QStringLiteral("<h2>%1</h2>\n<ol class=\"steps\">\n").arg(esc("拍照步骤"));
    static const char* steps[] = {
        "程序启动后会自动打开摄像头，预览区显示实时画面。",
        "在右侧选择模板分类，再点击喜欢的模板，模板会叠加在实时画面上。",
        "摆好姿势，按“拍照”按钮或键盘回车键拍照。",
        "照片显示在预览区和下方的照片条中。可以点击其他模板更换，也可以移动、旋转或调整颜色。",
        "按“继续”回到实时画面，拍下一张。点击照片条中的照片可以重新查看或重拍。",
        "全部拍好后按“浏览照片”，选择要上传的照片，登录后上传到 Snapolia 网络相册，记下显示的查询码。",
    };
    for (const char* s : steps)
        h += QStringLiteral("<li>%1</li>\n").arg(esc(s));
    h += QStringLiteral("</ol>\n");
    h += QStringLiteral("<h2>%1</h2>\n").arg(esc("功能按钮"));
    h += table(buttons, static_cast<int>(std::size(buttons)));
    h += QStringLiteral("<h2>%1</h2>\n").arg(esc("翻页按钮"));
    h += table(pages, static_cast<int>(std::size(pages)));
    h += QStringLiteral("<h2>%1</h2>\n<p>%2</p>\n")
             .arg(esc("位置调整"), esc("照片显示在预览区时，可以用这组按钮调整照片中人物的位置和角度："));
    h += table(places, static_cast<int>(std::size(places)));
    h += QStringLiteral("<h2>%1</h2>\n").arg(esc("模板分类"));
    h += table(sorts, static_cast<int>(std::size(sorts)));
    h += QStringLiteral("<h2>%1</h2>\n").arg(esc("小提示"));
    static const char* tips[] = {
        "点击窗口背景并拖动，可以移动整个窗口。",
        "点击左上角的 Snapolia 标志可以打开我们的网站；点击 QQ 图标可以和在线客服交谈。",
        "每张照片的右下角会印上网站地址，方便您在网上找到它们。",
        "没有找到摄像头时，请检查摄像头是否插好，然后按“打开摄像头”再试一次。",
    };
    for (const char* t : tips)
        h += QStringLiteral("<div class=\"tip\">%1</div>\n").arg(esc(t));
    h += QStringLiteral("</main>\n</body>\n</html>\n");
    return h;
}

QByteArray base64Lines(const QByteArray& data)
{
    const QByteArray b = data.toBase64();
    QByteArray out;
    for (int i = 0; i < b.size(); i += 76)
        out += b.mid(i, 76) + "\r\n";
    return out;
}

} // namespace

QByteArray helpDocument(const QList<HelpImage>& images)
{
    const QByteArray boundary = "----=_KinfolioHelp_7f3a9c";
    QByteArray m;
    m += "From: <Saved by Kinfolio>\r\n";
    m += "Subject: =?utf-8?B?" + QString::fromUtf8("Snapolia 自助照相馆 使用帮助").toUtf8().toBase64()
        + "?=\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"" + boundary + "\"\r\n";
    m += "\r\nThis is a multi-part message in MIME format.\r\n\r\n";
    m += "--" + boundary + "\r\n";
    m += "Content-Type: text/html; charset=\"utf-8\"\r\n";
    m += "Content-Transfer-Encoding: quoted-printable\r\n";
    m += QByteArray("Content-Location: ") + kHelpBase + "help.html\r\n\r\n";
    m += quotedPrintable(page().toUtf8());
    m += "\r\n";
    for (const HelpImage& image : images) {
        m += "--" + boundary + "\r\n";
        m += "Content-Type: " + image.mimeType.toLatin1() + "\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += QByteArray("Content-Location: ") + kHelpBase + "img/" + image.name.toLatin1() + "\r\n\r\n";
        m += base64Lines(image.bytes);
        m += "\r\n";
    }
    m += "--" + boundary + "--\r\n";
    return m;
}

} // namespace kf::art
