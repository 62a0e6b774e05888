#!/usr/bin/env python3
# Writes the hand-made fixture pages of the scraper tests into the current
# folder: GBK bytes, CR LF line ends, the markers the reader cuts by, and a
# few faults on purpose (a mis-indented ranking row, rows outside the list
# regions, an empty href, a link in capitals). Run it in tests/data/pages.
import os
H = "http://127.0.0.1:18080"

def w(name, text):
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("gbk")
    open(name, "wb").write(data)

ranking_head = f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>最近更新_排行榜</title>
<script type="text/javascript" src="{H}/scripts/ad.js"></script></head><body>
<div id="left"><div class="head">排行阅读</div>
<div class="list">
  <ul class="head"><li class="t3">文章名称</li><li class="t5">最新章节</li><li class="t4">作者</li><li class="t8">更新</li><li class="t1">状态</li></ul>
"""
def rrow(id, title, latest, author, time, state, extra_t4=None, t5=True):
    s = "    <ul>\n"
    s += f'      <li class="t3"><a href="{H}/book/{id}.html" title="{title}" target="_blank" class="t14b">{title}</a></li>\n'
    if t5:
        s += f'      <li class="t5"><a href="{H}/html/{id}/index.html" target="_blank" title="{latest}">{latest}</a> </li>\n'
    if extra_t4:
        s += f'      <li class="t4">{extra_t4}</li>\n'
    s += f'      <li class="t4">{author}</li>\n'
    s += f'      <li class="t8">{time}</li>\n'
    s += f'      <li class="t1 red12">{state}</li>\n'
    s += "      </ul>\n"
    return s
ranking = ranking_head
ranking += rrow(10001, "斗破苍穹", "第一千章 终章", "天蚕土豆", "11-12-05", "连载中")
ranking += rrow(10002, "青灯夜雨录", "", "听泉居士", "11-12-04", "已完成", t5=False)
ranking += rrow(10003, "石上听泉", "第三十章 风起", "千縷", "11-12-03", "连载中", extra_t4="42万字")
# Indented with two blanks instead of four: not a row.
ranking += rrow(10004, "不是一行", "第一章", "无名", "11-12-02", "连载中").replace("    <ul>", "  <ul>", 1).replace("      </ul>", "    </ul>")
ranking += f"""</div>
<div id="Page"><em id="pagestats">2/17</em><a href="{H}/book/toplastupdate/1.html">上一页</a><strong>2</strong><a href="{H}/book/toplastupdate/3.html">3</a>
    <ul>
      <li class="t3"><a href="{H}/book/99999.html" title="x" class="t14b">页脚之后</a></li>
      </ul>
</div></div></body></html>
"""
w("ranking.html", ranking)

def crow(id, title, author, state, time, latest):
    return (f'<div class="book_news_style"><div class="book_news_style_img"><a href="{H}/book/{id}.html" target="_blank"><img src="{H}/files/article/image/{id}s.jpg" border="0" width="90" /></a></div>\n'
            f'<div class="book_news_style_text"><h1><a href="{H}/book/{id}.html" target="_blank">{title}</a></h1><h2>作者：{author}【{state}】</h2><h4>更新时间：{time}</h4><h5>最新章节：<a href="{H}/html/{id}/index.html" target="_blank">{latest}</a></h5><h3>简介：少年萧炎，自幼天赋异禀……</h3></div></div>\n')
category = f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" /><title>玄幻魔法_分类阅读</title></head><body>
<div class="nav">当前位置：<a href="{H}/">首页</a> &gt; 玄幻魔法</div>
<div id="Page"><em id="pagestats">3/40</em><a href="{H}/book/list1/2.html">上一页</a><strong>3</strong></div>
"""
category += crow(10001, "斗破苍穹", "天蚕土豆", "连载中", "2011-12-05", "第一千章 终章")
category += crow(10002, "青灯夜雨录", "听泉居士", "已完成", "2011-12-04", "第八十章 夜雨")
category += crow(10003, "石上听泉", "千縷", "连载中", "2011-12-03", "第三十章 风起")
category += f"""<div class="main m_foot"><div class="book_news_style_img">页脚</h3></div></div></div>
</body></html>
"""
w("category.html", category)

def info_block(id, title, downloads_order=("TXT", "UDM", "JAR"), intro=None, manage=True):
    if intro is None:
        intro = ("&nbsp;&nbsp;&nbsp;&nbsp;这里是属于斗气的世界，没有花俏艳丽的魔法，有的，仅仅是繁衍到巅峰的斗气！<br />\n"
                 "<br />\n&nbsp;&nbsp;&nbsp;&nbsp;新书等级制度：斗者，斗师，大斗师，斗灵，斗王，斗皇，斗宗，斗尊，斗圣，斗帝。<br />\n"
                 "<!-- 广告 --><script type=\"text/javascript\">show_ad(\"intro\");</script>\t<b>&amp;&#25991;</b>")
    kinds = {"TXT": "txt", "UDM": "udm", "JAR": "jar"}
    links = "".join(f'<a href="{H}/modules/article/packdown.php?id={id}&type={kinds[k]}&fname={title}">{k} 全文</a> | ' for k in downloads_order)
    s = f"""<table width="100%" border="0" cellspacing="0" cellpadding="3">
<tr><td colspan="2"><span style="font-size: 16px; font-weight: bold; line-height: 150%">{title}</span></td></tr>
<tr><td width="20%" align="center" valign="top"><a href="{H}/files/article/image/{id}.jpg" target="_blank"><img src="{H}/files/article/image/{id}s.jpg" border="0" width="100" height="125" /></a></td></tr>
<tr><td width="25%">类&nbsp;&nbsp;&nbsp; 别：玄幻魔法</td><td width="25%">作&nbsp;&nbsp;&nbsp; 者：天蚕土豆</td><td width="25%">全文长度：5304215字</td></tr>
<tr><td>文章状态：连载中</td><td>首发状态：首发</td><td>授权级别：VIP作品</td></tr>
<tr><td colspan="3"><span class="hottext">内容简介：</span>{intro}<span class="hottext">最近章节：</span><a href="{H}/html/{id}/1234599.html">第一千章 终章</a><br />
最后更新：2011-12-05 08:30</td></tr>
<tr><td bgcolor="#000000" height="1"></td>
<td><ul><li><a href="{H}/html/10/{id}/index.html">点击阅读</a></li><li>{links}</li>
"""
    if manage:
        s += f'<li><a href="{H}/modules/article/articlemanage.php?id={id}">文章管理</a></li>'
    s += "</ul></td></tr></table>\n作品关键字：斗破 苍穹\n"
    return s

info = f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" /><title>斗破苍穹</title></head><body>
<script type="text/javascript">document.write('<div>广告</div>');</script>
""" + info_block(10001, "斗破苍穹") + "</body></html>\n"
w("book_info.html", info)
w("book_info_reversed_links.html", info.replace(info_block(10001, "斗破苍穹"), info_block(10001, "斗破苍穹", ("JAR", "UDM", "TXT"))))
w("search_book.html", info.replace("<title>斗破苍穹</title>", "<title>搜索结果</title>"))
w("search_list.html", category.replace("玄幻魔法_分类阅读", "搜索结果"))
w("site_error.html", f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" /><title>出现错误！</title></head><body>
<div class="box"><b>出现错误！</b><br />错误原因：对不起，两次搜索的间隔时间不得少于 30 秒<br /><br />请 <a href="javascript:history.back(1)">返 回</a> 并修正</div>
<div id="Page"><em id="pagestats">1/1</em><strong>1</strong></div>
<div><a href="{H}/modules/article/articlemanage.php">管理</a></div>
</body></html>
""")

chapters = f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" /><title>斗破苍穹最新章节列表</title></head><body>
<div class="book_title"><a href="{H}/book/10001.html">斗破苍穹</a> <a href="javascript:window.external.AddFavorite('{H}/html/10/10001/','斗破苍穹')">加入收藏</a> <a href="http://myweb.yahoo.com/myresults/bookmarklet?u={H}">到雅虎收藏</a></div>
<div class="latest"><li><a href="1234599.html">第一千章 终章</a></li></div>
<div class="volume">第一卷 落魄天才</div>
<ul><li><a href="1234501.html">第一章 陨落的天才</a></li><li><a href="1234502.html">第二章 斗气大陆</a></li>
<li><a href="1234503.html">第三章 客人</a></li><li><a href="">（空链接）</a></li></ul>
<div class="volume">第二卷 云岚宗</div>
<ul>
<li><a href="1234504.html">第四章 云岚宗</a></li>
<LI><A HREF="1234505.html">大写的链接</A></LI>
<li><a href="chapter6.html">第六章 没有数字</a></li>
</ul>
<div class="bottom"><ul><li><a href="9999999.html">页脚之后</a></li></ul></div>
</body></html>
"""
w("chapter_list.html", chapters)

chapter = f"""<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk" /><title>第一章 陨落的天才</title>
<script type="text/javascript" src="{H}/scripts/read.js"></script></head><body>
<div class="title">第一章 陨落的天才</div>
<div id="BookText">
&nbsp;&nbsp;&nbsp;&nbsp;“斗之力，三段！”<br />
<br />
&nbsp;&nbsp;&nbsp;&nbsp;望着测验魔石碑上面闪亮得甚至有些刺眼的五个大字，少年面无表情。<br />
<br />
&nbsp;&nbsp;&nbsp;&nbsp;“萧炎，斗之力，三段！级别：低级！”<br><br>&nbsp;&nbsp;本站提示：请记住本站网址，方便下次阅读。<script type="text/javascript">show_ad("text");</script>
</div>
<div class="downloads t1"><a href="{H}/modules/article/packdown.php?id=10001&type=txt">TXT 下载</a></div>
</body></html>
"""
w("chapter.html", chapter)
