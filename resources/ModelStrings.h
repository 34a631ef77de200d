// String ids of the page model's display names: action types, triggers and data types.
// Shared by the programs' resource scripts (through ModelStrings.rc) and the code that
// loads the texts, so this header holds nothing but #defines.
#pragma once

// Action types.
#define IDS_ACTION_TRANSLATE       61449  // 平移运动
#define IDS_ACTION_ROTATE          61450  // 旋转运动
#define IDS_ACTION_EFFECT          61451  // 特技效果
#define IDS_ACTION_PAGE_SWITCH     61452  // 页面切换
#define IDS_ACTION_SHOW_HIDE       61453  // 显示或隐藏
#define IDS_ACTION_LAYER           61454  // 改变层
#define IDS_ACTION_EXIT            61455  // 退出
#define IDS_ACTION_RUN_PROGRAM     61456  // 调用外部程序
#define IDS_ACTION_CONTROL_POINT   61457  // 控制点平移运动
#define IDS_ACTION_PLAY            61530  // 播放
#define IDS_ACTION_STOP            61531  // 停止
#define IDS_ACTION_SET_DATA        61555  // 设置数据
#define IDS_ACTION_DISPLAY         61556  // 显示结果
#define IDS_ACTION_CALCULATE       61557  // 计算结果
#define IDS_ACTION_GIF             61696  // GIF动画
// The cartoon's name had no id of its own; this one is free in every table.
#define IDS_ACTION_CARTOON         61900  // 卡通动画

// Triggers, by bit number.
#define IDS_TRIGGER_LEFT_DOWN      61465  // 按下鼠标左键
#define IDS_TRIGGER_LEFT_UP        61466  // 放开鼠标左键
#define IDS_TRIGGER_DOUBLE_CLICK   61467  // 双击鼠标左键
#define IDS_TRIGGER_MOUSE_MOVE     61468  // 移动鼠标
#define IDS_TRIGGER_RIGHT_DOWN     61469  // 按下鼠标右键
#define IDS_TRIGGER_RIGHT_UP       61470  // 放开鼠标右键
#define IDS_TRIGGER_TIMER          61591  // 定时器
#define IDS_TRIGGER_MOUSE_ENTER    61471  // 鼠标光标进入
#define IDS_TRIGGER_MOUSE_LEAVE    61472  // 鼠标光标离开
#define IDS_TRIGGER_KEY_DOWN       61587  // 按下键盘键
#define IDS_TRIGGER_KEY_UP         61588  // 放开键盘键
#define IDS_TRIGGER_MOTION         61589  // 运动触发
#define IDS_TRIGGER_DRAG_DROP      61811  // 拖放所选对象

// Data-type groups of the value actions: data/result type, display mode, calculation
// type, set type.
#define IDS_DATA_INTEGER           61562  // 整数
#define IDS_DATA_DECIMAL           61563  // 小数
#define IDS_DATA_TEXT              61564  // 文字
#define IDS_DISPLAY_TEXT_NUMBER    61565  // 文字数字
#define IDS_DISPLAY_RIGHT_WRONG    61566  // 对错符号
#define IDS_DISPLAY_VOICE          61567  // 语音提示
#define IDS_CALC_EXPRESSION        61572  // 表达式
#define IDS_CALC_FORMULA           61573  // 算式
#define IDS_CALC_OPERATION         61574  // 运算
#define IDS_SET_ASSIGN             61583  // 变量赋值
#define IDS_SET_INPUT              61584  // 运算输入
#define IDS_SET_RESET              61585  // 运算归零

// Messages of the page document.
#define IDS_PAGE_BAD_FORMAT        63630  // 文件格式不正确
#define IDS_PAGE_BAD_VERSION       63631  // 文件版本不正确
#define IDS_PAGE_READ_ONLY         63632  // 文件为只读属性，不能保存!...
#define IDS_PAGE_SIZE_RANGE        63633  // 请确定宽度在 %d 到 %d 之间...
#define IDS_PAGE_OPEN_FAILED       63634  // a damaged page file
#define IDS_PAGE_SAVE_FAILED       63635  // a page that could not be written
#define IDS_OUT_OF_MEMORY          61599  // 内存不足

// The character whose height centres captions in shapes.
#define IDS_CAPTION_MEASURE        61743  // 中
// The face of a new text object's font.
#define IDS_DEFAULT_FONT_FACE      61741  // 宋体

// Kind words of the drawing tools, by shape number.
#define IDS_KIND_TEXT              63676  // 文本
#define IDS_KIND_PICTURE           63677  // 图片
#define IDS_KIND_LINE              63678  // 直线
#define IDS_KIND_RECTANGLE         63679  // 矩形
#define IDS_KIND_ROUND_RECTANGLE   63680  // 圆角矩形
#define IDS_KIND_ELLIPSE           63681  // 椭圆
#define IDS_KIND_POLYGON           63682  // 多边形
#define IDS_KIND_CURVE             63683  // 曲线
#define IDS_KIND_POINT             63684  // 点
#define IDS_KIND_COMPOSITE         63685  // 复合对象
#define IDS_KIND_VIDEO             63686  // 影像
#define IDS_KIND_SOUND             63687  // 声音
#define IDS_KIND_GLUE              63688  // 粘接对象
#define IDS_KIND_FUNCTION          63689  // 函数

// Messages of playback: a missing trajectory at the start of a run, a missing target or
// ability of an event, a missing rotation centre. The texts carry a backslash before
// each quotation mark and apostrophe.
#define IDS_PATH_MISSING               63700  // 没找到对象\' %s \'的路径...
#define IDS_PATH_MISSING_IN_OWNER      63701  // 没找到复合对象\" %s \"中的对象...
#define IDS_DRIVEN_OBJECT_MISSING      63702  // 没找到由事件驱动的对象 \"%s\"
#define IDS_DRIVEN_MEMBER_MISSING      63703  // 没找到由事件驱动的复合对象 \"%s\" 中的对象 \"%s\"
#define IDS_DRIVEN_GLUE_MEMBER_MISSING 63704  // 没找到由事件驱动的粘接对象 \"%s\" 中的对象 \"%s\"
#define IDS_DRIVEN_ABILITY_MISSING     63705  // 由事件驱动的对象 \"%s\" 的能力 \"%s\" 不存在!
#define IDS_CENTRE_MISSING             63706  // 没找到对象\' %s \'的旋转中心\' %s \'
#define IDS_CENTRE_MISSING_IN_COMPOSITE 63707 // 没找到复合对象\' %s \'中的对象...
#define IDS_CENTRE_MISSING_IN_GLUE     63708  // 没找到粘接对象\' %s \'中的对象...

// Messages of the discrete actions: running a program and switching pages, and what a
// host playing pages from the web refuses of them.
#define IDS_PROGRAM_MISSING            63720  // 程序或文档不存在
#define IDS_PAGE_NAME_EMPTY            63721  // 装入页失败:装入页名为空
#define IDS_PROGRAM_REFUSED            63722  // 网页中播放的课件不能运行外部程序: %s
#define IDS_PAGE_PATH_REFUSED          63723  // 装入页失败:网页中播放的课件不能打开本机或网络路径 %s

// What a text object working as a calculator shows when a result has no number (division
// by zero, a domain error, an infinite or undefined value).
#define IDS_CALCULATOR_ERROR           63730  // 错误

// Function plots: messages of the set-data hook and of definitions, the end kinds of a
// domain interval and the two data a set-data action gives a plot.
#define IDS_FUN_BAD_FORMULA            63740  // 函数表达式语法有误
#define IDS_FUN_INTERVAL_BAD           63741  // 区间输入有误
#define IDS_FUN_NO_LEFT_BRACKET        63742  // 区间缺少左括号
#define IDS_FUN_NO_COMMA               63743  // 区间缺少逗号
#define IDS_FUN_NO_RIGHT_BRACKET       63744  // 区间缺少右括号
#define IDS_FUN_END_KIND_FIRST         63745  // 左闭右闭, then the other five end kinds in order
#define IDS_FUN_DATUM_FORMULA          63751  // 函数式
#define IDS_FUN_DATUM_INTERVAL         63752  // 区间
#define IDS_FUN_RIGHT_NOT_ABOVE_LEFT   63753  // 区间右端值必须大于左端值
#define IDS_FUN_INDEPENDENT_NOT_LETTER 63754  // 自变量必需为字母
#define IDS_FUN_DEPENDENT_NOT_LETTER   63755  // 因变量必需为字母

// The property grid: the texts of yes/no values and of the control-point button.
#define IDS_GRID_NO                    61461  // 否
#define IDS_GRID_YES                   61462  // 是
#define IDS_GRID_PICK_POINT            61742  // 选择控制点

// Labels of the property rows the page and the objects list.
#define IDS_ROW_ACTION_TYPE            61448  // 动作类型
#define IDS_ROW_PAGE_NAME              63800  // 页名
#define IDS_ROW_WIDTH                  63801  // 宽度
#define IDS_ROW_HEIGHT                 63802  // 高度
#define IDS_ROW_BACK_COLOUR            63803  // 背景色
#define IDS_ROW_CURTAIN_COLOUR         63804  // 幕布色
#define IDS_ROW_USE_BACK_PICTURE       63805  // 使用背景图
#define IDS_ROW_FILE_NAME              63806  // 文件名
#define IDS_ROW_STRETCH_BACK_PICTURE   63807  // 拉伸背景图
#define IDS_ROW_DELAY                  63808  // 延时
#define IDS_ROW_DIRECTION              63809  // 方向
#define IDS_ROW_TRIGGER                63810  // 触发条件
#define IDS_ROW_TRIGGERED_OBJECT       63811  // 被触发对象
#define IDS_ROW_TRIGGERED_ACTION       63812  // 被触发动作
#define IDS_PICTURE_FILTER             63813  // 所有文件 (*.*)|*.*|位图文件(*.bmp)|...

// Component libraries.
#define IDS_NOT_A_LIBRARY              61809  // 非库文件
