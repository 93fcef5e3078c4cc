<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>TForm1</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>Y5  控制界面</source>
        <extracomment>The title bar across the window; &quot;Y5&quot; is the device series, two blanks follow it.</extracomment>
        <translation>Y5  Control Panel</translation>
    </message>
    <message>
        <source>端口: </source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:   </source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>位元: </source>
        <extracomment>The frame format: data bits, parity, stop bits (&quot;8_N_2&quot;).</extracomment>
        <translation>Format:</translation>
    </message>
    <message>
        <source>通讯</source>
        <extracomment>Check box &quot;communication&quot;: while it is ticked the console polls the device.</extracomment>
        <translation>Comm</translation>
    </message>
    <message>
        <source>地址:   </source>
        <extracomment>The device&apos;s station address on the line, 1 to 255.</extracomment>
        <translation>Address:</translation>
    </message>
    <message>
        <source>打开串口错误</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>警报：</source>
        <translation>Alarms:</translation>
    </message>
    <message>
        <source>启动电压%：</source>
        <extracomment>The motor&apos;s starting voltage, in percent of the full voltage.</extracomment>
        <translation>Starting voltage %:</translation>
    </message>
    <message>
        <source>输出量：</source>
        <extracomment>The soft starter&apos;s output level, in percent.</extracomment>
        <translation>Output:</translation>
    </message>
    <message>
        <source>温度：</source>
        <extracomment>Before the thermometer there is room for a short word only (about 55 px).</extracomment>
        <translation>Temp.:</translation>
    </message>
    <message>
        <source>缓启动时间：</source>
        <translation>Soft start time:</translation>
    </message>
    <message>
        <source>缓停止时间：</source>
        <translation>Soft stop time:</translation>
    </message>
    <message>
        <source>报警</source>
        <extracomment>The state of an alarm lamp, read by screen readers: the alarm is raised.</extracomment>
        <translation>alarm</translation>
    </message>
    <message>
        <source>正常</source>
        <extracomment>The state of an alarm lamp, read by screen readers: no alarm.</extracomment>
        <translation>normal</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>修改参数</source>
        <translation>Change Parameters</translation>
    </message>
    <message>
        <source>小数点: </source>
        <translation>Decimals:</translation>
    </message>
    <message>
        <source>菜单自动 </source>
        <extracomment>With the next caption: the time after which the device&apos;s menu closes by itself.</extracomment>
        <translation>Menu auto</translation>
    </message>
    <message>
        <source>退出时间: </source>
        <translation>exit time:</translation>
    </message>
    <message>
        <source>输入信号: </source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>下限值:</source>
        <translation>Low limit:</translation>
    </message>
    <message>
        <source>上限值:</source>
        <translation>High limit:</translation>
    </message>
    <message>
        <source>迂回值:</source>
        <extracomment>The hysteresis of the device&apos;s limit alarms.</extracomment>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
